#pragma once

#include "platform/handles.h"
#include "platform/ole_color.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace plenvor {

class Control;
class Form;

// A family of controls the form places: a control array, or the form's single controls.
class ControlGroup
{
public:
    explicit ControlGroup(Form &form);
    virtual ~ControlGroup();
    ControlGroup(const ControlGroup &) = delete;
    ControlGroup &operator=(const ControlGroup &) = delete;

    Form &form() const { return m_form; }

    // Appends the visible members that reach into the band from `top` to `bottom` (twips).
    virtual void collect(qint32 top, qint32 bottom, std::vector<Control *> &out) const = 0;
    // A member's top or height changed.
    virtual void moved(const Control &member, qint32 oldTop) = 0;

private:
    Form &m_form;
};

// A control as the program sees it: its properties live here, and a widget shows them only
// while a screen shows the part of the window where it stands, or while it holds the focus.
// Lengths are twips, kept exactly as written; colours are OLE colours, read back as written.
class Control : public HandleTarget
{
public:
    ~Control() override;

    qint32 Left() const { return m_left; }
    qint32 Top() const { return m_top; }
    qint32 Width() const { return m_width; }
    qint32 Height() const { return m_height; }
    void setTop(qint32 top) { Move(m_left, top, m_width, m_height); }
    void setHeight(qint32 height) { Move(m_left, m_top, m_width, height); }
    void Move(qint32 left, qint32 top, qint32 width, qint32 height);

    OleColor ForeColor() const { return m_fore; }
    OleColor BackColor() const { return m_back; }
    void setForeColor(OleColor colour);
    void setBackColor(OleColor colour);

    // The control's own flag, whether or not a screen shows it.
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);

    // Its index within its control array; 0 for a single control.
    qint16 Index() const { return m_index; }
    // The widget showing it at the moment, or null.
    QWidget *widget() const { return m_widget; }

protected:
    enum class Kind { Field, Label };

    Control(ControlGroup &group, qint16 index) : m_index(index), m_group(&group) {}
    Form &form() const { return m_group->form(); }
    void copyTo(Control &copy) const;
    // Writes what changed into the widget, if it has one.
    void refresh(bool geometry) const;

private:
    friend class Form;

    virtual Kind kind() const = 0;
    // Every property into a widget of its kind, as it starts to show this control.
    virtual void showIn(QWidget &widget) const = 0;
    // Keeps what the user changed in the widget before it goes to another control.
    virtual void keepFrom(const QWidget &) {}

    // First the small ones, which share the handle's word: rows of controls count by the
    // thousand.
    qint16 m_index;
    bool m_visible = true;

protected:
    bool m_locked = false; // a text field's, kept here where it costs no room

private:
    ControlGroup *m_group;
    QWidget *m_widget = nullptr;
    qint32 m_left = 0;
    qint32 m_top = 0;
    qint32 m_width = 0;
    qint32 m_height = 0;
    OleColor m_fore = ole::kWindowText;
    OleColor m_back = ole::kWindow;
};

// What the fields of one array (or one single field) share: the event handlers, given the
// field's index, and the names screen readers give them ("%1" is the row number).
struct FieldClass
{
    std::function<void(qint16)> change;
    std::function<void(qint16)> gotFocus;
    QString accessibleName;
    QString accessibleDescription;
};

// Where a field's caret stands and what of its text is selected.
struct Selection
{
    int cursor = 0;
    int start = 0;
    int length = 0;
};

// A single-line edit field with the Change and GotFocus events and no length limit.
class TextBox final : public Control
{
public:
    TextBox(ControlGroup &group, qint16 index, const FieldClass &fieldClass);
    ~TextBox() override;

    QString Text() const { return m_text; }
    // Change follows every change of the text, by the program or the user.
    void setText(const QString &text);
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);
    Hwnd hWnd() const { return handle(); }

    // Gives it the keyboard focus; a field off every screen gets a widget for it.
    void SetFocus(Qt::FocusReason reason = Qt::OtherFocusReason);
    bool hasFocus() const;
    void SelectAll();
    QString SelText() const;

    // A hidden copy with every property, the text included.
    std::unique_ptr<TextBox> cloneAs(ControlGroup &group, qint16 index) const;
    const FieldClass &fieldClass() const { return *m_class; }

    // The field a widget shows, or null.
    static TextBox *ofWidget(const QWidget *widget);

private:
    friend class FieldWidget;
    friend class Form;

    Kind kind() const override { return Kind::Field; }
    void showIn(QWidget &widget) const override;
    void keepFrom(const QWidget &widget) override;
    void userEdited(const QString &text);
    void raiseChange() const;

    const FieldClass *m_class;
    QString m_text;
};

// A label: plain text on the form's background, never focused.
class Label final : public Control
{
public:
    Label(ControlGroup &group, qint16 index);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

    std::unique_ptr<Label> cloneAs(ControlGroup &group, qint16 index) const;

private:
    Kind kind() const override { return Kind::Label; }
    void showIn(QWidget &widget) const override;

    QString m_caption;
};

} // namespace plenvor
