#pragma once

#include "controls/control_host.h"
#include "controls/control_widgets.h"
#include "runtime/handles.h"
#include "runtime/ole_color.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace plenvor {

// The controls a screen shows, by kind, as a group hands them over.
struct ShownControls
{
    std::vector<TextBox *> fields;
    std::vector<Label *> labels;

    void add(TextBox *field) { fields.push_back(field); }
    void add(Label *label) { labels.push_back(label); }
};

// A family of controls the form places: a control array, or the form's single fields.
class ControlGroup
{
public:
    explicit ControlGroup(ControlHost &host);
    virtual ~ControlGroup();
    ControlGroup(const ControlGroup &) = delete;
    ControlGroup &operator=(const ControlGroup &) = delete;

    ControlHost &host() const { return m_host; }

    // Adds the visible members that reach into the band from `top` to `bottom` (twips).
    virtual void collect(qint32 top, qint32 bottom, ShownControls &out) const = 0;
    // Tab walks the fields by index: the fields at an index, in order, and the nearest index
    // after or before one that holds a field.
    virtual void fieldsAt(qint32 index, std::vector<TextBox *> &out) const = 0;
    virtual std::optional<qint32> fieldIndexAfter(qint32 index) const = 0;
    virtual std::optional<qint32> fieldIndexBefore(qint32 index) const = 0;
    // A member's top or height changed.
    virtual void memberMoved(const Control &member, qint32 oldTop) = 0;
    // The member of that name and index, as the form's Controls collection finds it, or null;
    // and how many members go by the name.
    virtual Control *named(QStringView name, qint32 index) const = 0;
    virtual qint32 countNamed(QStringView name) const = 0;

private:
    ControlHost &m_host;
};

// A control as the program sees it: its properties live here, and a widget shows them only
// while a screen shows the part of the window where it stands, or while it holds the focus.
// Lengths are twips, kept exactly as written; colours are OLE colours, read back as written.
class Control : public HandleTarget
{
public:
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
    const ControlGroup &group() const { return *m_group; }

    // Whether it is visible and reaches into the band from `top` to `bottom` (twips).
    bool standsIn(qint32 top, qint32 bottom) const
    {
        return m_visible && m_top < bottom && qint64(m_top) + m_height > top;
    }
    // The widget showing it at the moment, or null.
    virtual QWidget *view() const = 0;
    // Writes its properties into its widget, if it has one.
    virtual void refresh() const = 0;

protected:
    Control(ControlGroup &group, qint16 index) : m_index(index), m_group(&group) {}
    ControlHost &host() const { return m_group->host(); }
    void copyTo(Control &copy) const;

private:
    // First the small ones, which share the handle's word: rows of controls count by the
    // thousand.
    qint16 m_index;
    bool m_visible = true;

protected:
    bool m_locked = false; // a text field's, kept here where it costs no room

private:
    ControlGroup *m_group;
    qint32 m_left = 0;
    qint32 m_top = 0;
    qint32 m_width = 0;
    qint32 m_height = 0;
    OleColor m_fore = ole::kWindowText;
    OleColor m_back = ole::kWindow;
};

// What the fields of one array (or one single field) share: the event handlers, given the
// field's index, the names screen readers give them ("%1" is the row number), and the labels
// over them on the form, which a screen reader meets just before the first of them. Any of them
// may be left out.
struct FieldClass
{
    std::function<void(qint16)> change = {};
    std::function<void(qint16)> gotFocus = {};
    QString accessibleName = {};
    QString accessibleDescription = {};
    std::vector<const Label *> labels = {};
};

// A single-line edit field with the Change and GotFocus events and no length limit.
class TextBox final : public Control, public FieldOwner
{
public:
    using Widget = FieldWidget;

    TextBox(ControlGroup &group, qint16 index, const FieldClass &fieldClass);
    ~TextBox() override;

    QString Text() const { return m_text; }
    // Change follows every change of the text, by the program or the user. Text with a line
    // break keeps what stands before the first.
    void setText(const QString &text);
    bool Locked() const { return m_locked; }
    void setLocked(bool locked);
    Hwnd hWnd() const { return handle(); }

    // Gives it the keyboard focus; a field off every screen gets a widget for it.
    void SetFocus(Qt::FocusReason reason = Qt::OtherFocusReason);
    bool hasFocus() const;
    void SelectAll();

    // A hidden copy with every property, the text included.
    std::unique_ptr<TextBox> cloneAs(ControlGroup &group, qint16 index) const;
    const FieldClass &fieldClass() const { return *m_class; }

    FieldWidget *widget() const { return m_widget; }
    QWidget *view() const override;
    void refresh() const override;

    // The field a widget shows, or null.
    static TextBox *ofWidget(const QWidget *widget);

private:
    friend class ViewBinder;

    // Starts showing itself in the widget, or with null stops.
    void showIn(FieldWidget *widget);
    void userEdited(const QString &text) override;
    void focusReceived() override;
    void raiseChange() const;

    const FieldClass *m_class;
    FieldWidget *m_widget = nullptr;
    QString m_text;
};

// A label: plain text on the form's background, never focused.
class Label final : public Control
{
public:
    using Widget = LabelWidget;

    Label(ControlGroup &group, qint16 index);
    ~Label() override;

    void setCaption(const QString &caption);

    std::unique_ptr<Label> cloneAs(ControlGroup &group, qint16 index) const;

    LabelWidget *widget() const { return m_widget; }
    QWidget *view() const override;
    void refresh() const override;

private:
    friend class ViewBinder;

    void showIn(LabelWidget *widget);

    LabelWidget *m_widget = nullptr;
    QString m_caption;
};

// The handle of the text field that holds the keyboard focus, or 0.
Hwnd GetFocus();

} // namespace plenvor
