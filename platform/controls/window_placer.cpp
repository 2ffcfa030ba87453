#include "controls/window_placer.h"

#include "controls/size_steps.h"
#include "runtime/twips.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace plenvor {

namespace {

// Every screen where the program places its window; the window's own where a compositor does.
std::vector<ScreenArea> currentScreens(const QWidget &window, bool placesWindows)
{
    const auto area = [](const QScreen *screen) {
        return ScreenArea{screen->geometry(), screen->devicePixelRatio(),
                          screen->availableGeometry()};
    };
    std::vector<ScreenArea> screens;
    if (!placesWindows) {
        if (const QScreen *own = window.screen())
            screens.push_back(area(own));
        return screens;
    }
    for (const QScreen *screen : QGuiApplication::screens())
        screens.push_back(area(screen));
    return screens;
}

} // namespace

bool WindowPlacer::programPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void WindowPlacer::place(bool changed, std::optional<Band> focus)
{
    reportsDone();
    // A window that shows a part of the form shows the part that holds the focus.
    if (changed || !m_placesWindows || m_placed.clipped)
        apply(focus);
}

void WindowPlacer::apply(std::optional<Band> focus)
{
    // Resizing the window runs its handlers, which may learn a frame and ask for a new place:
    // that place is applied once this one is done, never in the middle of it.
    if (m_applying) {
        m_applyAgain = true;
        return;
    }
    const QScopedValueRollback applying(m_applying, true);
    do {
        m_applyAgain = false;
        applyOnce(focus);
    } while (m_applyAgain);
}

void WindowPlacer::applyOnce(std::optional<Band> focus)
{
    const FormRect form{m_left, m_top, m_clientWidth, m_clientHeight};
    const QMargins frame = m_frame + QMargins(0, m_header, 0, 0);
    m_placed = placeForm({form, frame, currentScreens(m_window, m_placesWindows), m_placesWindows,
                          focus, m_viewOffset});
    // Known before the window system hears of it: resizing and moving sync the views at once.
    m_client = m_placed.client;
    m_viewOffset = m_placed.viewOffset;
    const QSize size = m_placed.client.size();
    if (!m_placesWindows) {
        m_client.setHeight(m_client.height() + m_header);
        m_window.setFixedSize(m_client.size());
        return;
    }
    // One request for the size and the place together, so that one answer tells of both; the
    // window can take either size meanwhile, and none other after.
    m_window.setMinimumSize(size.boundedTo(m_window.size()));
    m_window.setMaximumSize(size.expandedTo(m_window.size()));
    sizeInWholePixels(m_window);
    m_window.setGeometry(m_placed.client);
    m_window.setFixedSize(size);
    sizeInWholePixels(m_window);
    m_requested = m_placed.client;
    // A hidden window hears no answers, and where the window system has the window already,
    // none will come.
    if (m_window.isVisible() && m_requested != m_reported) {
        m_unanswered.push_back(m_requested);
        m_asked.push_back(m_requested.topLeft());
    }
}

void WindowPlacer::shown()
{
    m_reported = {};
    m_unanswered = {m_window.geometry()};
    m_asked = {m_window.geometry().topLeft()};
}

bool WindowPlacer::exposed() const
{
    const QWindow *window = m_window.windowHandle();
    return window && window->isExposed();
}

namespace {

// Logical pixels may come back a pixel off on a scaled screen.
bool near(QPoint a, QPoint b)
{
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

bool near(QSize a, QSize b)
{
    return near(QPoint(a.width(), a.height()), QPoint(b.width(), b.height()));
}

} // namespace

bool WindowPlacer::answers(const QRect &client, bool moved)
{
    // Every request up to the latest one `asked` accepts is answered; whether there was one.
    const auto answeredThrough = [this](auto asked) {
        const auto latest = std::find_if(m_unanswered.rbegin(), m_unanswered.rend(), asked);
        if (latest == m_unanswered.rend())
            return false;
        m_unanswered.erase(m_unanswered.begin(), latest.base());
        return true;
    };
    // A new size where the window was is no move; the window manager may move it next.
    if (!moved) {
        answeredThrough([&](const QRect &r) {
            return near(r.topLeft(), client.topLeft()) && near(r.size(), client.size());
        });
        return true;
    }
    // A report may tell one request's place with a later one's size: a place the program asked
    // for is never the user's.
    const auto samePlace = [&](QPoint p) { return near(p, client.topLeft()); };
    if (std::ranges::any_of(m_asked, samePlace)) {
        answeredThrough([&](const QRect &r) { return samePlace(r.topLeft()); });
        return true;
    }
    // Elsewhere: the window manager's own place for a request of that size, or the user's move.
    return answeredThrough([&](const QRect &r) { return near(r.size(), client.size()); });
}

void WindowPlacer::reported(const QRect &client, QMargins frame)
{
    if (!m_placesWindows || (client == m_reported && frame == m_frame))
        return;
    // The user moves the window, but never resizes it.
    const bool moved = !m_reported.isValid() || client.topLeft() != m_reported.topLeft();
    m_reported = client;
    // Before the window is on the screen, the window manager is placing it, not the user.
    const bool answer = answers(client, moved) || !exposed();
    learnFrame(frame);
    if (!answer) {
        m_asked.clear();
        m_left = float(pixelsToTwips(client.left() - m_frame.left()));
        // A window that shows a part of the form takes the form along as far as it moved,
        // and to the screen it was moved to.
        if (m_placed.clipped)
            m_top = float(double(m_top) + pixelsToTwips(client.top() - m_client.top()));
        else
            m_top = float(pixelsToTwips(client.top() - m_frame.top()));
        m_client = client;
        apply();
        return;
    }
    // The window manager may put the window elsewhere than asked, also before it maps it; the
    // window shows the same part of the form wherever it is.
    m_client = client;
}

void WindowPlacer::sizeReported(QSize size, QMargins frame)
{
    reportsDone();
    m_sizeAlone = size;
    m_sizeFrame = frame;
}

void WindowPlacer::placeReported(QPoint at, QMargins frame)
{
    const QSize size =
        m_sizeAlone.value_or(m_reported.isValid() ? m_reported.size() : m_window.size());
    m_sizeAlone.reset();
    reported(QRect(at, size), frame);
}

void WindowPlacer::reportsDone()
{
    if (!m_sizeAlone)
        return;
    const QSize size = *m_sizeAlone;
    m_sizeAlone.reset();
    const QPoint at = m_reported.isValid() ? m_reported.topLeft() : m_window.geometry().topLeft();
    reported(QRect(at, size), m_sizeFrame);
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
    return (m_client & unionOf(currentScreens(m_window, m_placesWindows)))
        .translated(-m_client.topLeft());
}

} // namespace plenvor
