#include "controls/form.h"

#include "runtime/key_codes.h"

#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWindow>

// What the form hears from Qt: the window system's reports, keys on their way to a field,
// paints, a new desktop palette, Tab.

namespace plenvor {

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

} // namespace plenvor
