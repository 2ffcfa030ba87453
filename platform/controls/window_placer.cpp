#include "controls/window_placer.h"

#include "runtime/twips.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace plenvor {

namespace {

// A window manager answers a request within this time.
constexpr qint64 kWindowManagerAnswerMs = 500;

// A Wayland client can neither place its window nor learn where it is.
bool placesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Every screen where the program places its window; the window's own where a compositor does.
std::vector<ScreenArea> currentScreens(const QWidget &window)
{
    const auto area = [](const QScreen *screen) {
        return ScreenArea{screen->geometry(), screen->devicePixelRatio()};
    };
    std::vector<ScreenArea> screens;
    if (!placesWindows()) {
        if (const QScreen *own = window.screen())
            screens.push_back(area(own));
        return screens;
    }
    for (const QScreen *screen : QGuiApplication::screens())
        screens.push_back(area(screen));
    return screens;
}

} // namespace

WindowPlacer::WindowPlacer(QWidget &window, Clock clock)
    : m_window(window), m_clock(std::move(clock))
{}

qint64 WindowPlacer::steadyClock()
{
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.elapsed();
}

void WindowPlacer::place(bool changed, std::optional<Band> focus)
{
    if (changed || !placesWindows())
        apply(focus);
}

void WindowPlacer::apply(std::optional<Band> focus)
{
    const FormRect form{m_left, m_top, m_clientWidth, m_clientHeight};
    m_placed =
        placeForm({form, m_frame, currentScreens(m_window), placesWindows(), focus, m_viewOffset});
    // Known before the window system hears of it: resizing and moving sync the views at once.
    m_client = m_placed.client;
    m_viewOffset = m_placed.viewOffset;
    m_applying = true;
    m_window.setFixedSize(m_placed.client.size());
    if (placesWindows()) {
        m_requested = m_placed.client.topLeft() - QPoint(m_frame.left(), m_frame.top());
        m_requestedAt = m_clock();
        m_window.move(m_requested);
    }
    m_applying = false;
}

// Qt reports a move of the window system's only where it differs from what the program asked
// for, so an answer cannot be paired with its request: a move from the window system soon
// after a request is taken as the window manager's answer, a later one as the user's. A move
// made on the widget itself is never an answer.
void WindowPlacer::moved(QPoint at, QMargins frame, bool byWindowSystem)
{
    if (!placesWindows() || m_applying)
        return;
    learnFrame(frame);
    const bool answer = byWindowSystem && m_clock() - m_requestedAt <= kWindowManagerAnswerMs;
    if (m_window.isVisible() && at != m_requested && !answer) {
        m_left = float(pixelsToTwips(at.x()));
        m_top = float(pixelsToTwips(int(at.y() - m_viewOffset)));
        apply();
        return;
    }
    // The window manager may put the window elsewhere than asked, also before it maps it; the
    // window then shows the part of the form that stands where it is.
    m_client = m_window.geometry();
    m_viewOffset = m_placed.clipped ? m_client.top() - m_placed.formClientTop : 0;
}

QMargins WindowPlacer::frameOf(const QWidget &window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void WindowPlacer::learnFrame(QMargins frame)
{
    if (frame == m_frame)
        return;
    const int grownWidth = frame.left() + frame.right() - m_frame.left() - m_frame.right();
    const int grownHeight = frame.top() + frame.bottom() - m_frame.top() - m_frame.bottom();
    m_frame = frame;
    m_left = float(double(m_left) - pixelsToTwips(grownWidth) / 2);
    m_top = float(double(m_top) - pixelsToTwips(grownHeight) / 2);
    apply();
}

QRect WindowPlacer::onScreen() const
{
    return (m_client & unionOf(currentScreens(m_window))).translated(-m_client.topLeft());
}

} // namespace plenvor
