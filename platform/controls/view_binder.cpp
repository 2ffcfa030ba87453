#include "controls/view_binder.h"

#include "controls/accessible_events.h"
#include "controls/tab_order.h"
#include "runtime/twips.h"

#include <QRegion>

#include <algorithm>
#include <utility>

namespace plenvor {

namespace {

qint32 toTwips(qint64 pixels)
{
    return qint32(std::clamp<qint64>(pixels * kTwipsPerPixel, INT32_MIN, INT32_MAX));
}

} // namespace

ViewBinder::ViewBinder(QWidget &window, std::function<void()> syncSoon,
                       std::function<void()> syncNow)
    : m_window(window), m_syncSoon(std::move(syncSoon)), m_syncNow(std::move(syncNow))
{}

template <> ViewBinder::Bindings<TextBox> &ViewBinder::bindings<TextBox>()
{
    return m_fields;
}

template <> ViewBinder::Bindings<Label> &ViewBinder::bindings<Label>()
{
    return m_labels;
}

void ViewBinder::sync(const Viewport &viewport)
{
    const Viewport old = std::exchange(m_viewport, viewport);
    if (viewport.offset != old.offset) {
        for (const TextBox *field : m_fields.bound)
            place(*field);
        for (const Label *label : m_labels.bound)
            place(*label);
        m_window.update();
    }
    ShownControls wanted;
    const QRect &shown = viewport.shown;
    if (!shown.isEmpty()) {
        const qint32 top = toTwips(shown.top() + viewport.offset);
        const qint32 bottom = toTwips(qint64(shown.bottom()) + 1 + viewport.offset);
        for (const ControlGroup *group : m_groups)
            group->collect(top, bottom, wanted);
    }
    // The focused field keeps its widget wherever it stands.
    if (TextBox *focused = focusedField())
        wanted.add(focused);
    rebind(std::move(wanted.fields));
    rebind(std::move(wanted.labels));
    // Parts that come into view were never painted: the background is painted only where a
    // screen shows it, and Qt would answer their exposure from its backing store.
    if (m_window.isVisible() && shown != old.shown)
        m_window.update(QRegion(shown) - old.shown);
}

template <class T> void ViewBinder::rebind(std::vector<T *> wanted)
{
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    Bindings<T> &set = bindings<T>();
    for (T *control : set.bound) {
        if (!std::binary_search(wanted.begin(), wanted.end(), control))
            unbind(*control);
    }
    for (T *control : wanted) {
        if (!control->widget())
            bind(*control);
    }
    set.bound = std::move(wanted);
}

template <class T> void ViewBinder::bind(T &control)
{
    std::vector<typename T::Widget *> &free = bindings<T>().free;
    typename T::Widget *widget = nullptr;
    if (free.empty()) {
        widget = new typename T::Widget(&m_window);
    } else {
        widget = free.back();
        free.pop_back();
    }
    const AccessibleSilence lending(*widget);
    control.showIn(widget);
    m_accessibleOrderKnown = false;
    if constexpr (std::is_same_v<T, TextBox>) {
        if (const auto kept = m_selections.constFind(&control); kept != m_selections.cend())
            widget->select(*kept);
    }
    place(control);
    widget->show();
}

template <class T> void ViewBinder::unbind(T &control)
{
    typename T::Widget *widget = control.widget();
    const AccessibleSilence takingBack(*widget);
    if constexpr (std::is_same_v<T, TextBox>) {
        // Only what differs from a text just set: the caret at its end, nothing selected.
        const Selection kept = widget->selection();
        const bool plain = kept.cursor == control.Text().size() && kept.length == 0;
        keepSelection(control, plain ? std::nullopt : std::optional<Selection>(kept));
    }
    // Hiding a focused widget would hand the focus on, and raise events, on its own.
    if (widget->hasFocus())
        widget->clearFocus();
    widget->hide();
    control.showIn(nullptr);
    forgetAccessible(*widget);
    m_accessibleOrderKnown = false;
    bindings<T>().free.push_back(widget);
}

template <class T> void ViewBinder::release(T &control)
{
    if (!control.widget())
        return;
    unbind(control);
    std::erase(bindings<T>().bound, &control);
}

void ViewBinder::place(const Control &control) const
{
    QWidget *widget = control.view();
    QRect rect(twipsToPixels(control.Left()), int(twipsToPixels(control.Top()) - m_viewport.offset),
               twipsToPixels(control.Width()), twipsToPixels(control.Height()));
    // The laid-out sizes were made for Windows' font metrics; other renderers may need a pixel
    // more, and a label must never cut its text.
    rect.setSize(rect.size().expandedTo(widget->minimumSizeHint()));
    widget->setGeometry(rect);
}

void ViewBinder::joined(ControlGroup &group)
{
    m_groups.push_back(&group);
}

void ViewBinder::left(ControlGroup &group)
{
    std::erase(m_groups, &group);
}

void ViewBinder::removed(TextBox &field)
{
    release(field);
    if (!m_selections.isEmpty())
        m_selections.remove(&field);
}

void ViewBinder::removed(Label &label)
{
    release(label);
}

void ViewBinder::moved(Control &control)
{
    if (QWidget *widget = control.view()) {
        if (control.Visible()) {
            place(control);
            widget->show();
        } else {
            // A hidden control shows nothing at once; its widget goes back at the next sync.
            if (widget->hasFocus())
                widget->clearFocus();
            widget->hide();
        }
    }
    m_syncSoon();
}

void ViewBinder::focus(TextBox &field, Qt::FocusReason reason)
{
    if (!field.Visible())
        return;
    if (!field.widget()) {
        bind(field);
        m_fields.bound.push_back(&field);
    }
    field.widget()->setFocus(reason);
    // The field left goes back at once if no screen shows it, and a view follows the focus.
    m_syncNow();
}

void ViewBinder::keepSelection(const TextBox &field, std::optional<Selection> selection)
{
    if (selection)
        m_selections.insert(&field, *selection);
    else if (!m_selections.isEmpty()) // the usual case: a row of texts written at once
        m_selections.remove(&field);
}

void ViewBinder::refreshLooks() const
{
    for (const TextBox *field : m_fields.bound)
        field->refresh();
    for (const Label *label : m_labels.bound)
        label->refresh();
}

std::optional<Band> ViewBinder::focusBand() const
{
    const TextBox *field = focusedField();
    if (!field)
        return std::nullopt;
    const qint32 top = field->Top();
    return Band{twipsToPixels(top), twipsToPixels(double(top) + field->Height())};
}

const std::vector<QWidget *> &ViewBinder::accessibleOrder() const
{
    if (!m_accessibleOrderKnown)
        m_accessibleOrder = readingOrder(m_groups, m_fields.bound);
    m_accessibleOrderKnown = true;
    return m_accessibleOrder;
}

bool ViewBinder::showsOnScreen(const QWidget &widget) const
{
    return widget.isVisible() && m_viewport.shown.intersects(widget.geometry());
}

TextBox *ViewBinder::focusedField() const
{
    return TextBox::ofWidget(m_window.focusWidget());
}

bool ViewBinder::focusNext(bool next)
{
    TextBox *target = nextInTabOrder(m_groups, focusedField(), next);
    if (!target)
        return false;
    focus(*target, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace plenvor
