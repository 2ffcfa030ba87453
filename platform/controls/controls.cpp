#include "controls/controls.h"

#include <QApplication>

namespace plenvor {

ControlGroup::ControlGroup(ControlHost &host) : m_host(host)
{
    host.joined(*this);
}

ControlGroup::~ControlGroup()
{
    m_host.left(*this);
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
        m_group->memberMoved(*this, oldTop);
    host().moved(*this);
}

void Control::setForeColor(OleColor colour)
{
    m_fore = colour;
    refresh();
}

void Control::setBackColor(OleColor colour)
{
    m_back = colour;
    refresh();
}

void Control::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    host().moved(*this);
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

TextBox::TextBox(ControlGroup &group, qint16 index, const FieldClass &fieldClass)
    : Control(group, index), m_class(&fieldClass)
{}

TextBox::~TextBox()
{
    host().removed(*this);
}

QWidget *TextBox::view() const
{
    return m_widget;
}

void TextBox::setText(const QString &text)
{
    const QString line = firstLine(text);
    if (line == m_text)
        return;
    m_text = line;
    if (m_widget)
        m_widget->push(line);
    else
        host().keepSelection(*this, std::nullopt); // as a widget's would, the caret goes to the end
    raiseChange();
}

void TextBox::userEdited(const QString &text)
{
    m_text = text;
    raiseChange();
}

void TextBox::focusReceived()
{
    if (m_class->gotFocus)
        m_class->gotFocus(Index());
}

void TextBox::raiseChange() const
{
    if (m_class->change)
        m_class->change(Index());
}

void TextBox::setLocked(bool locked)
{
    m_locked = locked;
    refresh();
}

void TextBox::SetFocus(Qt::FocusReason reason)
{
    host().focus(*this, reason);
}

bool TextBox::hasFocus() const
{
    return m_widget && m_widget->hasFocus();
}

void TextBox::SelectAll()
{
    if (m_widget)
        m_widget->selectAll();
    else
        host().keepSelection(*this, Selection{int(m_text.size()), 0, int(m_text.size())});
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
    const auto *field = qobject_cast<const FieldWidget *>(widget);
    return field ? static_cast<TextBox *>(field->owner) : nullptr;
}

void TextBox::showIn(FieldWidget *widget)
{
    // The widget showing it changes: the old one forgets it, the new one, if any, shows it.
    if (m_widget)
        m_widget->owner = nullptr;
    m_widget = widget;
    if (!widget)
        return;
    widget->owner = this;
    // A widget that showed another field starts afresh: its text replaced, which also clears
    // its undo history, and its caret at the end.
    widget->onlyAway = false;
    widget->push(m_text);
    const QString &name = m_class->accessibleName;
    widget->setAccessibleName(name.contains(u"%1") ? name.arg(Index() + 1) : name);
    widget->setAccessibleDescription(m_class->accessibleDescription);
    refresh();
}

void TextBox::refresh() const
{
    if (!m_widget)
        return;
    m_widget->setReadOnly(Locked());
    applyColours(*m_widget, ForeColor(), BackColor(), QPalette::Text, QPalette::Base);
}

Label::Label(ControlGroup &group, qint16 index) : Control(group, index)
{
    setForeColor(ole::kButtonText);
    setBackColor(ole::kButtonFace);
}

Label::~Label()
{
    host().removed(*this);
}

QWidget *Label::view() const
{
    return m_widget;
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    refresh();
    host().moved(*this); // a longer caption may need a wider widget
}

std::unique_ptr<Label> Label::cloneAs(ControlGroup &group, qint16 index) const
{
    auto copy = std::make_unique<Label>(group, index);
    copyTo(*copy);
    copy->m_caption = m_caption;
    return copy;
}

void Label::showIn(LabelWidget *widget)
{
    m_widget = widget;
    refresh();
}

void Label::refresh() const
{
    if (!m_widget)
        return;
    if (m_widget->text() != m_caption)
        m_widget->setText(m_caption);
    applyColours(*m_widget, ForeColor(), BackColor(), QPalette::WindowText, QPalette::Window);
}

Hwnd GetFocus()
{
    const TextBox *field = TextBox::ofWidget(QApplication::focusWidget());
    return field ? field->hWnd() : 0;
}

} // namespace plenvor
