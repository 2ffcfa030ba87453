#include "controls/accessibility.h"

#include "controls/accessible_events.h"
#include "controls/control_widgets.h"
#include "controls/form.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

#include <algorithm>

namespace plenvor {

namespace {

const ViewBinder *viewsOf(const QWidget &widget)
{
    const auto *form = qobject_cast<const Form *>(widget.window());
    return form ? &form->views() : nullptr;
}

bool offScreen(const QWidget &widget)
{
    const ViewBinder *views = viewsOf(widget);
    return views && !views->showsOnScreen(widget);
}

// A form: a frame named by its caption, whose children are what its binder shows.
class FormAccessible final : public QAccessibleWidget
{
public:
    explicit FormAccessible(Form *form) : QAccessibleWidget(form, QAccessible::Window), m_form(form)
    {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const std::vector<QWidget *> &shown = children();
        return index >= 0 && index < int(shown.size())
                   ? QAccessible::queryAccessibleInterface(shown[std::size_t(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const std::vector<QWidget *> &shown = children();
        const auto it = std::find(shown.begin(), shown.end(), child ? child->object() : nullptr);
        return it == shown.end() ? -1 : int(it - shown.begin());
    }

private:
    const std::vector<QWidget *> &children() const { return m_form->views().accessibleOrder(); }

    const Form *m_form;
};

// A text field: editable only where the user can type into it, showing only where a screen
// shows it. It names no label: a screen reader would read a labelled field by its label alone,
// and "Ширина:" tells neither which width nor which row.
class FieldAccessible final : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface
{
public:
    explicit FieldAccessible(FieldWidget *field)
        : QAccessibleWidget(field, QAccessible::EditableText), m_field(field)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? m_field->text() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = m_field->isReadOnly();
        state.editable = !m_field->isReadOnly();
        state.selectableText = true;
        state.offscreen = offScreen(*m_field);
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface && !m_field->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int *start, int *end) const override
    {
        const bool selected = index == 0 && m_field->hasSelectedText();
        *start = selected ? m_field->selectionStart() : 0;
        *end = selected ? m_field->selectionEnd() : 0;
    }
    int selectionCount() const override { return m_field->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { m_field->deselect(); }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            m_field->setSelection(start, end - start);
    }
    int cursorPosition() const override { return m_field->cursorPosition(); }
    void setCursorPosition(int position) override { m_field->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return m_field->text().mid(start, end - start);
    }
    int characterCount() const override { return int(m_field->text().size()); }
    QRect characterRect(int offset) const override
    {
        // From the font: the line edit keeps its own layout of the text to itself.
        const QString text = m_field->text();
        if (offset < 0 || offset >= text.size())
            return {};
        const QFontMetrics metrics(m_field->font());
        const QRect inside = m_field->contentsRect();
        const QPoint at(inside.left() + metrics.horizontalAdvance(text.left(offset)),
                        inside.center().y() - metrics.height() / 2);
        return {m_field->mapToGlobal(at),
                QSize(metrics.horizontalAdvance(text[offset]), metrics.height())};
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return m_field->cursorPositionAt(m_field->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int end) override { m_field->setCursorPosition(end); }
    QString attributes(int offset, int *start, int *end) const override
    {
        // One run over the whole text: a screen reader builds what it says from the runs, and
        // empty ones cost it the last character.
        const int count = characterCount();
        const bool inside = offset >= 0 && offset <= count;
        *start = inside ? 0 : -1;
        *end = inside ? count : -1;
        return {};
    }

    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        // What a tool inserts keeps its first line, as typed text would; the rest stays.
        m_field->setText(m_field->text().replace(start, end - start, firstLine(text)));
    }

private:
    FieldWidget *m_field;
};

// A label: plain text read before the fields it stands over; one over no field (an arrow
// between a row's fields) says nothing a listener needs and is left out.
class LabelAccessible final : public QAccessibleWidget
{
public:
    explicit LabelAccessible(LabelWidget *label)
        : QAccessibleWidget(label, QAccessible::StaticText), m_label(label)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_label->text() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const ViewBinder *views = viewsOf(*m_label);
        if (!views ||
            std::ranges::find(views->accessibleOrder(), m_label) == views->accessibleOrder().end())
            state.invisible = true;
        state.offscreen = offScreen(*m_label);
        return state;
    }

private:
    LabelWidget *m_label;
};

QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    if (auto *form = qobject_cast<Form *>(object))
        return new FormAccessible(form);
    if (auto *field = qobject_cast<FieldWidget *>(object))
        return new FieldAccessible(field);
    if (auto *label = qobject_cast<LabelWidget *>(object))
        return new LabelAccessible(label);
    // A plain window of the program's own, such as the read-me's.
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->metaObject() == &QWidget::staticMetaObject && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        installAccessibleEvents();
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace plenvor
