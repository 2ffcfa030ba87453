#include "platform/controls.h"

#include "platform/control_widgets.h"
#include "platform/form.h"

#include <QLineEdit>

namespace plenvor {

ControlGroup::ControlGroup(Form &form) : m_form(form)
{
    form.groupCreated(*this);
}

ControlGroup::~ControlGroup()
{
    m_form.groupGone(*this);
}

Control::~Control()
{
    form().controlGone(*this);
}

void Control::Move(qint32 left, qint32 top, qint32 width, qint32 height)
{
    const qint32 oldTop = m_top;
    const bool vertical = top != m_top || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (vertical)
        m_group->moved(*this, oldTop);
    refresh(true);
}

void Control::setForeColor(OleColor colour)
{
    m_fore = colour;
    refresh(false);
}

void Control::setBackColor(OleColor colour)
{
    m_back = colour;
    refresh(false);
}

void Control::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    form().controlMoved(*this);
}

void Control::copyTo(Control &copy) const
{
    copy.m_left = m_left;
    copy.m_top = m_top;
    copy.m_width = m_width;
    copy.m_height = m_height;
    copy.m_fore = m_fore;
    copy.m_back = m_back;
    copy.m_visible = false;
}

void Control::refresh(bool geometry) const
{
    if (geometry)
        form().controlMoved(*this);
    if (m_widget)
        showIn(*m_widget);
}

TextBox::TextBox(ControlGroup &group, qint16 index, const FieldClass &fieldClass)
    : Control(group, index), m_class(&fieldClass)
{
    group.form().fieldCreated(*this);
}

TextBox::~TextBox()
{
    form().fieldGone(*this);
}

void TextBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (auto *field = static_cast<FieldWidget *>(widget()))
        field->push(text);
    else
        form().keepSelection(*this, std::nullopt); // as a widget's would, the caret goes to the end
    raiseChange();
}

void TextBox::userEdited(const QString &text)
{
    m_text = text;
    raiseChange();
}

void TextBox::raiseChange() const
{
    if (m_class->change)
        m_class->change(Index());
}

void TextBox::setLocked(bool locked)
{
    m_locked = locked;
    refresh(false);
}

void TextBox::SetFocus(Qt::FocusReason reason)
{
    form().focusField(*this, reason);
}

bool TextBox::hasFocus() const
{
    return widget() && widget()->hasFocus();
}

void TextBox::SelectAll()
{
    if (auto *field = static_cast<QLineEdit *>(widget()))
        field->selectAll();
    else
        form().keepSelection(*this, Selection{int(m_text.size()), 0, int(m_text.size())});
}

QString TextBox::SelText() const
{
    if (auto *field = static_cast<QLineEdit *>(widget()))
        return field->selectedText();
    const std::optional<Selection> kept = form().keptSelection(*this);
    return kept ? m_text.mid(kept->start, kept->length) : QString();
}

std::unique_ptr<TextBox> TextBox::cloneAs(ControlGroup &group, qint16 index) const
{
    auto copy = std::make_unique<TextBox>(group, index, *m_class);
    copyTo(*copy);
    copy->m_text = m_text;
    copy->m_locked = m_locked;
    return copy;
}

TextBox *TextBox::ofWidget(const QWidget *widget)
{
    const auto *field = dynamic_cast<const FieldWidget *>(widget);
    return field ? field->control : nullptr;
}

void TextBox::showIn(QWidget &widget) const
{
    auto &field = static_cast<FieldWidget &>(widget);
    if (field.control != this) {
        // A widget that showed another field starts afresh: its text replaced (which also
        // clears its undo history), its caret and selection this field's.
        field.control = const_cast<TextBox *>(this);
        field.onlyAway = false;
        field.push(m_text);
        if (const std::optional<Selection> kept = form().keptSelection(*this)) {
            field.setCursorPosition(kept->cursor);
            if (kept->length > 0)
                field.setSelection(kept->start, kept->length);
        }
        const QString &name = m_class->accessibleName;
        field.setAccessibleName(name.contains(u"%1") ? name.arg(Index() + 1) : name);
        field.setAccessibleDescription(m_class->accessibleDescription);
    }
    field.setReadOnly(Locked());
    applyColours(field, ForeColor(), BackColor(), QPalette::Text, QPalette::Base);
}

void TextBox::keepFrom(const QWidget &widget)
{
    // Only what differs from a text just set: the caret at its end, nothing selected.
    const auto &field = static_cast<const FieldWidget &>(widget);
    const Selection kept{field.cursorPosition(), std::max(0, field.selectionStart()),
                         int(field.selectedText().size())};
    const bool plain = kept.cursor == m_text.size() && kept.length == 0;
    form().keepSelection(*this, plain ? std::nullopt : std::optional<Selection>(kept));
}

Label::Label(ControlGroup &group, qint16 index) : Control(group, index)
{
    setForeColor(ole::kButtonText);
    setBackColor(ole::kButtonFace);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    refresh(true); // a longer caption may need a wider widget
}

std::unique_ptr<Label> Label::cloneAs(ControlGroup &group, qint16 index) const
{
    auto copy = std::make_unique<Label>(group, index);
    copyTo(*copy);
    copy->m_caption = m_caption;
    return copy;
}

void Label::showIn(QWidget &widget) const
{
    auto &label = static_cast<LabelWidget &>(widget);
    label.control = const_cast<Label *>(this);
    if (label.text() != m_caption)
        label.setText(m_caption);
    applyColours(label, ForeColor(), BackColor(), QPalette::WindowText, QPalette::Window);
}

} // namespace plenvor
