#include "controls/form.h"

#include "runtime/key_codes.h"

#include <QKeyEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWindow>

// What the form hears from Qt: the window system's reports and keys, paints, a new desktop
// palette, Tab.

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
    if (m_titleBar)
        m_titleBar->setGeometry(0, 0, width(), m_titleBar->barHeight());
    syncViews();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window hears every key and every geometry the window system reports; this widget
    // only those that differ from what the program asked for.
    windowHandle()->installEventFilter(this); // a second install changes nothing
    m_placer.shown();
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
    if (m_titleBar &&
        (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange ||
         event->type() == QEvent::WindowIconChange))
        m_titleBar->update();
}

bool Form::focusNextPrevChild(bool next)
{
    return m_binder.focusNext(next) || QWidget::focusNextPrevChild(next);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != windowHandle())
        return QWidget::eventFilter(watched, event);
    const QMargins frame = windowHandle()->frameMargins();
    switch (event->type()) {
    case QEvent::KeyPress:
        // Every key the user presses enters here once, before the widget that has the focus.
        previewKey(*static_cast<QKeyEvent *>(event));
        break;
    case QEvent::Resize:
        if (event->spontaneous()) {
            m_placer.sizeReported(static_cast<QResizeEvent *>(event)->size(), frame);
            syncSoon(); // the place, if it changed too, comes first
        }
        break;
    case QEvent::Move:
        if (event->spontaneous()) {
            m_placer.placeReported(static_cast<QMoveEvent *>(event)->pos(), frame);
            syncViews();
        }
        break;
    case QEvent::Expose:
        // The window manager has framed the window by the time it shows it; a frame that
        // leaves the client area where it is reports no move.
        m_placer.learnFrame(frame);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
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
