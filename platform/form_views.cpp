// The widgets a form gives its controls: only to those a screen shows and to the focused
// field, reused as the window moves and rows come and go, so that a window of thousands of
// rows costs what its screenful costs.
#include "platform/form.h"

#include "platform/control_widgets.h"

#include "platform/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>

#include <algorithm>

namespace plenvor {

namespace {

const QEvent::Type kSyncEvent = QEvent::Type(QEvent::registerEventType());

int poolOf(const QWidget &widget)
{
    return qobject_cast<const QLineEdit *>(&widget) ? 0 : 1;
}

qint32 toTwips(qint64 pixels)
{
    return qint32(std::clamp<qint64>(pixels * kTwipsPerPixel, INT32_MIN, INT32_MAX));
}

} // namespace

void Form::setShowsEveryControl(bool everything)
{
    m_showsEverything = everything;
    syncViews();
}

QRect Form::onScreen() const
{
    QRect screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens |= screen->geometry();
    return (m_clientRect & screens).translated(-m_clientRect.topLeft());
}

void Form::scheduleSync()
{
    if (m_syncPosted)
        return;
    m_syncPosted = true;
    QCoreApplication::postEvent(this, new QEvent(kSyncEvent));
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

void Form::syncViews()
{
    m_syncPosted = false;
    if (m_geometryPending)
        applyGeometry();
    const QRect shown = onScreen();
    std::vector<Control *> wanted;
    if (m_showsEverything || !shown.isEmpty()) {
        const qint32 top = m_showsEverything ? INT32_MIN : toTwips(shown.top() + m_viewOffset);
        const qint32 bottom =
            m_showsEverything ? INT32_MAX : toTwips(qint64(shown.bottom()) + 1 + m_viewOffset);
        for (const ControlGroup *group : m_groups)
            group->collect(top, bottom, wanted);
    }
    // The focused field keeps its widget wherever it stands.
    if (TextBox *focused = TextBox::ofWidget(focusWidget()))
        wanted.push_back(focused);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    for (Control *control : m_bound) {
        if (!std::binary_search(wanted.begin(), wanted.end(), control))
            unbind(*control);
    }
    for (Control *control : wanted) {
        if (!control->m_widget)
            bind(*control);
    }
    m_bound = std::move(wanted);
    // Parts that come into view were never painted: the background is painted only where a
    // screen shows it, and Qt would answer their exposure from its backing store.
    if (isVisible() && shown != m_shown)
        update(QRegion(shown) - m_shown);
    m_shown = shown;
}

void Form::bind(Control &control)
{
    std::vector<QWidget *> &pool = m_freeWidgets[control.kind() == Control::Kind::Field ? 0 : 1];
    QWidget *widget = nullptr;
    if (pool.empty()) {
        widget = makeControlWidget(control.kind() == Control::Kind::Field, this);
    } else {
        widget = pool.back();
        pool.pop_back();
    }
    control.m_widget = widget;
    control.showIn(*widget);
    place(control);
    widget->show();
}

void Form::unbind(Control &control)
{
    QWidget *widget = control.m_widget;
    control.keepFrom(*widget);
    // Hiding a focused widget would hand the focus on, and raise events, on its own.
    if (widget->hasFocus())
        widget->clearFocus();
    widget->hide();
    releaseControlWidget(*widget);
    control.m_widget = nullptr;
    m_freeWidgets[poolOf(*widget)].push_back(widget);
}

void Form::place(const Control &control) const
{
    QWidget *widget = control.m_widget;
    if (!widget)
        return;
    QRect rect(twipsToPixels(control.Left()), twipsToPixels(control.Top()) - m_viewOffset,
               twipsToPixels(control.Width()), twipsToPixels(control.Height()));
    // The laid-out sizes were made for Windows' font metrics; other renderers may need a
    // pixel more, and a label must never cut its text.
    if (qobject_cast<QLabel *>(widget))
        rect.setSize(rect.size().expandedTo(widget->sizeHint()));
    widget->setGeometry(rect);
}

void Form::groupCreated(ControlGroup &group)
{
    m_groups.push_back(&group);
}

void Form::groupLeaving(ControlGroup &group)
{
    m_leavingGroup = &group;
    const auto leaving = [&](const Control *control) { return control->m_group == &group; };
    for (Control *control : m_bound) {
        if (leaving(control))
            unbind(*control);
    }
    m_bound.erase(std::remove_if(m_bound.begin(), m_bound.end(), leaving), m_bound.end());
    m_tabOrder.erase(std::remove_if(m_tabOrder.begin(), m_tabOrder.end(), leaving),
                     m_tabOrder.end());
}

void Form::groupGone(ControlGroup &group)
{
    m_groups.erase(std::remove(m_groups.begin(), m_groups.end(), &group), m_groups.end());
    m_leavingGroup = nullptr;
}

void Form::controlMoved(const Control &control)
{
    if (control.m_widget && control.Visible())
        place(control);
    else if (control.m_widget)
        controlGone(const_cast<Control &>(control)); // a hidden control shows nothing at once
    scheduleSync();
}

void Form::controlGone(Control &control)
{
    if (!control.m_widget)
        return;
    unbind(control);
    m_bound.erase(std::remove(m_bound.begin(), m_bound.end(), &control), m_bound.end());
}

void Form::fieldCreated(TextBox &field)
{
    m_tabOrder.push_back(&field);
}

void Form::fieldGone(TextBox &field)
{
    keepSelection(field, std::nullopt);
    if (field.m_group == m_leavingGroup)
        return;
    // Rows go from the end, so the search from there is short.
    const auto it = std::find(m_tabOrder.rbegin(), m_tabOrder.rend(), &field);
    if (it != m_tabOrder.rend())
        m_tabOrder.erase(std::next(it).base());
}

void Form::keepSelection(const TextBox &field, std::optional<Selection> selection)
{
    if (selection)
        m_selections.insert(&field, *selection);
    else if (!m_selections.isEmpty()) // the usual case: a row of texts written at once
        m_selections.remove(&field);
}

std::optional<Selection> Form::keptSelection(const TextBox &field) const
{
    const auto it = m_selections.constFind(&field);
    return it == m_selections.cend() ? std::nullopt : std::optional<Selection>(*it);
}

void Form::focusField(TextBox &field, Qt::FocusReason reason)
{
    if (!field.Visible())
        return;
    if (!field.m_widget) {
        bind(field);
        m_bound.push_back(&field);
    }
    field.m_widget->setFocus(reason);
    // The field left goes back at once if no screen shows it.
    syncViews();
}

// Tab walks the fields in the program's order, rows no screen shows included, and not the
// order in which the reused widgets happen to stand.
bool Form::focusNextPrevChild(bool next)
{
    const qsizetype count = qsizetype(m_tabOrder.size());
    if (count == 0)
        return QWidget::focusNextPrevChild(next);
    const auto current =
        std::find(m_tabOrder.begin(), m_tabOrder.end(), TextBox::ofWidget(focusWidget()));
    qsizetype at = current == m_tabOrder.end() ? (next ? -1 : 0) : current - m_tabOrder.begin();
    // Hidden fields take no focus; around the end of the order, back to its start.
    for (qsizetype tried = 0; tried < count; ++tried) {
        at = (at + (next ? 1 : count - 1)) % count;
        if (m_tabOrder[std::size_t(at)]->Visible()) {
            focusField(*m_tabOrder[std::size_t(at)],
                       next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void Form::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A new desktop palette reaches only windows; the controls' system colours follow it.
    if (event->type() == QEvent::PaletteChange) {
        for (const Control *control : m_bound)
            control->refresh(false);
    }
}

void Form::paintEvent(QPaintEvent *event)
{
    // Only where a screen shows the window: the rest of a tall window is never painted, so its
    // memory is never touched.
    QPainter painter(this);
    for (const QRect &rect : event->region() & onScreen())
        painter.fillRect(rect, palette().window());
}

} // namespace plenvor
