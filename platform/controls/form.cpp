#include "controls/form.h"

#include "runtime/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>

#include <functional>

namespace plenvor {

namespace {

constexpr Status kInvalidPropertyValue = makeStatus(0x800A017Cu);

const QEvent::Type kSyncEvent = QEvent::Type(QEvent::registerEventType());

} // namespace

Form::Form(ErrorReport &report, QWidget *parent)
    : QWidget(parent, Qt::Window), m_report(report), m_placer(*this),
      m_binder(*this, std::bind_front(&Form::syncSoon, this),
               std::bind_front(&Form::syncViews, this))
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

bool Form::s_ownFrames = false;

void Form::drawOwnFrames()
{
    s_ownFrames = true;
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
    if (s_ownFrames && !m_titleBar) {
        m_titleBar = new TitleBar(*this);
        m_placer.setHeader(m_titleBar->barHeight());
    }
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
    m_ended.emplace(*this);
}

void Form::endForSession()
{
    m_sessionEnds = true;
    while (QWidget *modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    Unload();
}

void Form::unloadWithoutWindow()
{
    m_sessionEnds = true;
    runUnload();
}

bool Form::keepWorkNow()
{
    return m_state != State::Loaded || keepWork();
}

void Form::closeEvent(QCloseEvent *event)
{
    runUnload();
    event->accept();
}

} // namespace plenvor
