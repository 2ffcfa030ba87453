#include "controls/form.h"

#include "runtime/key_codes.h"
#include "runtime/twips.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWindow>

namespace plenvor {

namespace {

constexpr Status kInvalidPropertyValue = makeStatus(0x800A017Cu);

const QEvent::Type kSyncEvent = QEvent::Type(QEvent::registerEventType());

} // namespace

Form::Form(ErrorReport &report, QWidget *parent)
    : QWidget(parent, Qt::Window), m_report(report), m_placer(*this),
      m_binder(
          *this, [this] { syncSoon(); }, [this] { syncViews(); })
{
    // The background is painted only where a screen shows it (paintEvent).
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Form::~Form() = default;

float Form::Width() const
{
    const QMargins frame = m_placer.frame();
    return float(double(m_placer.clientWidth()) + pixelsToTwips(frame.left() + frame.right()));
}

float Form::Height() const
{
    const QMargins frame = m_placer.frame();
    return float(double(m_placer.clientHeight()) + pixelsToTwips(frame.top() + frame.bottom()));
}

void Form::setLeft(float twips)
{
    m_placer.setLeft(twips);
    geometryChanged();
}

void Form::setTop(float twips)
{
    m_placer.setTop(twips);
    geometryChanged();
}

void Form::setHeight(float twips)
{
    const QMargins frame = m_placer.frame();
    const double client = double(twips) - pixelsToTwips(frame.top() + frame.bottom());
    if (!(client >= 0))
        throw RuntimeError(kInvalidPropertyValue);
    m_placer.setClientHeight(float(client));
    geometryChanged();
}

void Form::setClientSize(qint32 widthTwips, qint32 heightTwips)
{
    m_placer.setClientWidth(float(widthTwips));
    m_placer.setClientHeight(float(heightTwips));
    geometryChanged();
}

void Form::geometryChanged()
{
    // The window system hears of it once, before the next paint: a thousand rows restored
    // move the window once, not a thousand times.
    m_geometryPending = true;
    syncSoon();
}

void Form::syncSoon()
{
    if (m_syncPosted)
        return;
    m_syncPosted = true;
    QCoreApplication::postEvent(this, new QEvent(kSyncEvent));
}

void Form::syncViews()
{
    m_syncPosted = false;
    m_placer.place(std::exchange(m_geometryPending, false), m_binder.focusBand());
    m_binder.sync({m_placer.onScreen(), m_placer.viewOffset()});
}

Control &Form::controlNamed(QStringView name, qint16 index) const
{
    for (const ControlGroup *group : m_binder.groups()) {
        if (Control *found = group->named(name, index))
            return *found;
    }
    throw RuntimeError(status::kNoSuchElement);
}

qint32 Form::countOf(QStringView name) const
{
    qint32 count = 0;
    for (const ControlGroup *group : m_binder.groups())
        count += group->countNamed(name);
    return count;
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
    m_geometryPending = true;
    syncViews();
    show();
}

bool Form::event(QEvent *event)
{
    if (event->type() == kSyncEvent) {
        if (m_syncPosted)
            syncViews();
        return true;
    }
    return QWidget::event(event);
}

void Form::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // What comes into view shows at once: Qt would answer the exposure from its backing store.
    syncViews();
}

void Form::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    syncViews();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window hears every geometry the window system reports; this widget only those that
    // differ from what the program asked for.
    windowHandle()->installEventFilter(this); // a second install changes nothing
    m_placer.shown();
    m_placer.learnFrame(WindowPlacer::frameOf(*this));
    syncViews();
}

void Form::paintEvent(QPaintEvent *event)
{
    // Only where a screen shows the window: the rest of a tall window is never painted, so its
    // memory is never touched.
    QPainter painter(this);
    for (const QRect &rect : event->region() & m_placer.onScreen())
        painter.fillRect(rect, palette().window());
}

void Form::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A new desktop palette reaches only windows; the controls' system colours follow it.
    if (event->type() == QEvent::PaletteChange) {
        forgetSharedPalettes();
        m_binder.refreshLooks();
    }
}

bool Form::focusNextPrevChild(bool next)
{
    return m_binder.focusNext(next) || QWidget::focusNextPrevChild(next);
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
    if (watched == windowHandle()) {
        const QMargins frame = windowHandle()->frameMargins();
        if (event->type() == QEvent::Resize && event->spontaneous()) {
            m_placer.sizeReported(static_cast<QResizeEvent *>(event)->size(), frame);
            syncSoon(); // the place, if it changed too, comes first
        } else if (event->type() == QEvent::Move && event->spontaneous()) {
            m_placer.placeReported(static_cast<QMoveEvent *>(event)->pos(), frame);
            syncViews();
        } else if (event->type() == QEvent::Expose) {
            // The window manager has framed the window by the time it shows it; a frame that
            // leaves the client area where it is reports no move.
            m_placer.learnFrame(frame);
        }
    } else if (event->type() == QEvent::KeyPress && watched != this &&
               static_cast<QWidget *>(watched)->window() == this) {
        previewKey(*static_cast<QKeyEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // Keys go to the focused widget: one that reaches the form while a field of its own has the
    // focus was shown to the handler on its way in, and the field passed it on.
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || focus == this || !isAncestorOf(focus))
        previewKey(*event);
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

void Form::runUnload()
{
    if (m_state != State::Loaded)
        return;
    m_state = State::Unloading;
    // The cancel flag is never read back: an unload cannot be refused.
    guarded([&] {
        qint16 cancel = 0;
        Form_Unload(cancel);
    });
    m_state = State::Unloaded;
}

void Form::unloadWithoutWindow()
{
    runUnload();
}

void Form::keepWorkNow()
{
    if (m_state == State::Loaded)
        keepWork();
}

void Form::closeEvent(QCloseEvent *event)
{
    runUnload();
    event->accept();
}

} // namespace plenvor
