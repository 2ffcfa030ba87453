#include "platform/form.h"

#include "platform/key_codes.h"
#include "platform/twips.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace plenvor {

namespace {

constexpr Status kInvalidPropertyValue = makeStatus(0x800A017Cu);

// A window manager answers a move request within this time; a move seen later was the user's.
constexpr qint64 kWindowManagerAnswerMs = 500;

// The form's single controls: few enough to look at each.
class SingleControls final : public ControlGroup
{
public:
    SingleControls(Form &form, const std::vector<std::unique_ptr<Control>> &members)
        : ControlGroup(form), m_members(members)
    {}

    void collect(qint32 top, qint32 bottom, std::vector<Control *> &out) const override
    {
        for (const auto &control : m_members) {
            if (control->Visible() && control->Top() < bottom &&
                qint64(control->Top()) + control->Height() > top)
                out.push_back(control.get());
        }
    }
    void moved(const Control &, qint32) override {}

private:
    const std::vector<std::unique_ptr<Control>> &m_members;
};

} // namespace

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_singles(std::make_unique<SingleControls>(*this, m_singleControls))
{
    // The background is painted only where a screen shows it (paintEvent).
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_sinceRequest.start();
}

Form::~Form() = default;

float Form::Width() const
{
    return float(double(m_clientWidth) + pixelsToTwips(frameWidth()));
}

float Form::Height() const
{
    return float(double(m_clientHeight) + pixelsToTwips(frameHeight()));
}

void Form::setLeft(float twips)
{
    m_left = twips;
    geometryChanged();
}

void Form::setTop(float twips)
{
    m_top = twips;
    geometryChanged();
}

void Form::setHeight(float twips)
{
    const double client = double(twips) - pixelsToTwips(frameHeight());
    if (!(client >= 0))
        throw RuntimeError(kInvalidPropertyValue);
    m_clientHeight = float(client);
    geometryChanged();
}

void Form::setClientSize(qint32 widthTwips, qint32 heightTwips)
{
    m_clientWidth = float(widthTwips);
    m_clientHeight = float(heightTwips);
    geometryChanged();
}

void Form::geometryChanged()
{
    // The window system hears of it once, before the next paint: a thousand rows restored
    // move the window once, not a thousand times.
    m_geometryPending = true;
    scheduleSync();
}

void Form::Show()
{
    if (m_state == State::Created) {
        m_state = State::Loading;
        Form_Load();
        m_state = State::Loaded;
    }
    if (m_state != State::Loaded)
        return;
    applyGeometry();
    syncViews();
    show();
}

// The form's client area runs from `top` to `bottom` on the screen; the real window shows the
// part from `top + m_viewOffset`. A form that X11 can hold and that ends on a screen is shown
// whole; otherwise the real window is clipped: below, where the screens end; above, where its
// frame can no longer stand where the form's top puts it.
void Form::applyGeometry()
{
    m_geometryPending = false;
    const qint64 maxClient = kMaxWindowCoordinate - frameHeight();
    const qint64 outerTop = twipsToPixels(m_top);
    const qint64 top = outerTop + m_frame.top();
    const qint64 bottom = top + std::max(1, twipsToPixels(m_clientHeight));
    QRect screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens |= screen->geometry();
    qint64 realTop = top;
    qint64 realBottom = bottom;
    if (!placesWindows()) {
        // The compositor puts the window where it likes: it shows the form from its top, as
        // much of it as a screen holds.
        realBottom = std::min<qint64>(bottom, top + std::max(1, screens.height() - frameHeight()));
        m_clientTop = top;
        m_clipped = realBottom != bottom;
        setFixedSize(std::clamp(twipsToPixels(m_clientWidth), 1, kMaxWindowCoordinate),
                     int(realBottom - realTop));
        m_clientRect = QRect(screens.topLeft(), size());
        showFrom(top);
        return;
    }
    if (outerTop < kMinWindowCoordinate || bottom - top > maxClient ||
        bottom + m_frame.bottom() > std::min(kMaxWindowCoordinate, screens.bottom() + 1)) {
        const qint64 shownTop = std::max<qint64>(top, screens.top());
        const qint64 shownBottom =
            std::max(shownTop, std::min<qint64>(bottom, screens.bottom() + 1));
        if (outerTop < kMinWindowCoordinate || shownBottom - top > maxClient)
            realTop = std::clamp<qint64>(shownTop, kMinWindowCoordinate + m_frame.top(),
                                         kMaxWindowCoordinate - m_frame.bottom() - 1);
        realBottom = std::min({bottom, std::max(shownBottom, realTop + 1), realTop + maxClient,
                               qint64(kMaxWindowCoordinate) - m_frame.bottom()});
    }
    m_clientTop = top;
    m_clipped = realTop != top || realBottom != bottom;
    setFixedSize(std::clamp(twipsToPixels(m_clientWidth), 1, kMaxWindowCoordinate),
                 int(std::max<qint64>(1, realBottom - realTop)));
    m_requested =
        QPoint(std::clamp(twipsToPixels(m_left), kMinWindowCoordinate, kMaxWindowCoordinate),
               int(realTop - m_frame.top()));
    m_sinceRequest.restart();
    move(m_requested);
    m_clientRect = QRect(m_requested + QPoint(m_frame.left(), m_frame.top()), size());
    showFrom(realTop);
}

void Form::showFrom(qint64 realClientTop)
{
    const int offset = m_clipped ? int(realClientTop - m_clientTop) : 0;
    if (offset != m_viewOffset) {
        m_viewOffset = offset;
        for (const Control *control : m_bound)
            place(*control);
        update();
    }
}

void Form::learnFrame()
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame == m_frame)
        return;
    // The window manager tells its frame only once the window is mapped; the window
    // keeps its centre where the program put it.
    const int grownWidth = frame.left() + frame.right() - frameWidth();
    const int grownHeight = frame.top() + frame.bottom() - frameHeight();
    m_frame = frame;
    m_left = float(double(m_left) - pixelsToTwips(grownWidth) / 2);
    m_top = float(double(m_top) - pixelsToTwips(grownHeight) / 2);
    applyGeometry();
}

bool Form::placesWindows()
{
    // A Wayland client can neither place its window nor learn where it is.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void Form::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!placesWindows())
        return;
    learnFrame();
    if (isVisible() && pos() != m_requested && m_sinceRequest.elapsed() > kWindowManagerAnswerMs) {
        m_left = float(pixelsToTwips(pos().x()));
        m_top = float(pixelsToTwips(pos().y() - m_viewOffset));
        applyGeometry();
    } else {
        // The window manager may put a clipped window elsewhere than asked, also before it
        // maps it; the window then shows the part of the form that stands where it is.
        m_clientRect = geometry();
        showFrom(geometry().top());
    }
    // What comes into view shows at once: Qt would answer the exposure from its backing store.
    syncViews();
}

void Form::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    learnFrame();
    syncViews();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    learnFrame();
    syncViews();
}

void Form::childEvent(QChildEvent *event)
{
    // Key preview covers every widget that can take the keyboard. A widget is polished before
    // it can be shown, so before it can have the focus.
    if (event->type() == QEvent::ChildPolished && event->child()->isWidgetType() &&
        static_cast<QWidget *>(event->child())->focusPolicy() != Qt::NoFocus)
        event->child()->installEventFilter(this); // a second install changes nothing
    QWidget::childEvent(event);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this && static_cast<QWidget *>(watched)->window() == this) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            // A field that does not take a key passes this same event on to the form.
            m_previewed = key;
            previewKey(*key);
        } else if (event->type() == QEvent::KeyRelease) {
            m_previewed = nullptr;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    if (event != m_previewed)
        previewKey(*event);
    m_previewed = nullptr;
    QWidget::keyPressEvent(event);
}

void Form::previewKey(const QKeyEvent &event)
{
    if (m_state != State::Loaded)
        return;
    // The handler gets its own copies: whatever it does to them, the key goes on unchanged.
    qint16 keyCode = virtualKeyCode(event.key(), event.modifiers(), event.nativeVirtualKey());
    qint16 shift = shiftState(event.modifiers());
    guarded([&] { Form_KeyDown(keyCode, shift); });
}

void Form::closeEvent(QCloseEvent *event)
{
    if (m_state == State::Loaded) {
        m_state = State::Unloading;
        // The cancel flag is never read back: an unload cannot be refused.
        guarded([&] {
            qint16 cancel = 0;
            Form_Unload(cancel);
        });
        m_state = State::Unloaded;
    }
    event->accept();
}

} // namespace plenvor
