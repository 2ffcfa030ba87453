#include "platform/form.h"

#include "platform/key_codes.h"
#include "platform/twips.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>

namespace plenvor {

namespace {

constexpr Status kInvalidPropertyValue = makeStatus(0x800A017Cu);

// A window manager answers a move request within this time; a move seen later was the user's.
constexpr qint64 kWindowManagerAnswerMs = 500;

int clampCoordinate(double twips)
{
    return std::clamp(twipsToPixels(twips), kMinWindowCoordinate, kMaxWindowCoordinate);
}

int clampSize(double twips)
{
    return std::clamp(twipsToPixels(twips), 1, kMaxWindowCoordinate);
}

} // namespace

Form::Form(QWidget *parent) : QWidget(parent, Qt::Window)
{
    m_sinceRequest.start();
}

Form::~Form()
{
    // Every widget that goes searches the posted-event queue for events of its own; each
    // field leaves a queued call there, so with thousands of rows the teardown would take
    // quadratic time. Delivering them first keeps it linear.
    QCoreApplication::sendPostedEvents();
}

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
    applyGeometry();
}

void Form::setTop(float twips)
{
    m_top = twips;
    applyGeometry();
}

void Form::setHeight(float twips)
{
    const double client = double(twips) - pixelsToTwips(frameHeight());
    if (!(client >= 0))
        throw RuntimeError(kInvalidPropertyValue);
    m_clientHeight = float(client);
    applyGeometry();
}

void Form::setClientSize(qint32 widthTwips, qint32 heightTwips)
{
    m_clientWidth = float(widthTwips);
    m_clientHeight = float(heightTwips);
    applyGeometry();
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
    show();
}

void Form::applyGeometry()
{
    setFixedSize(clampSize(m_clientWidth), clampSize(m_clientHeight));
    m_requested = QPoint(clampCoordinate(m_left), clampCoordinate(m_top));
    m_sinceRequest.restart();
    move(m_requested);
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

void Form::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    learnFrame();
    if (isVisible() && pos() != m_requested && m_sinceRequest.elapsed() > kWindowManagerAnswerMs) {
        m_left = float(pixelsToTwips(pos().x()));
        m_top = float(pixelsToTwips(pos().y()));
        m_requested = pos();
    }
}

void Form::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    learnFrame();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    learnFrame();
}

void Form::childEvent(QChildEvent *event)
{
    // Key preview covers every control that can take the keyboard, also those created at run
    // time. A control is polished before it can be shown, so before it can have the focus.
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
    qint16 keyCode = virtualKeyCode(event.key(), event.modifiers());
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
