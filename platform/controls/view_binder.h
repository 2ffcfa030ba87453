#pragma once

#include "controls/control_widgets.h"
#include "controls/controls.h"
#include "controls/placement.h"

#include <QHash>
#include <QRect>

#include <functional>
#include <vector>

namespace plenvor {

// Lends widgets to the controls of a window: only to those a screen shows and to the focused
// field, reused as the window moves and rows come and go, so that a window of thousands of
// rows costs what its screenful costs. Tab walks the fields in the program's order, rows
// without widgets included.
class ViewBinder final : public ControlHost
{
public:
    // What a screen shows of the real window, in its pixels, and how far down the form its
    // client area starts.
    struct Viewport
    {
        QRect shown;
        qint64 offset = 0;
    };

    // `syncSoon` asks the window for a sync() before the next paint, `syncNow` at once.
    ViewBinder(QWidget &window, std::function<void()> syncSoon, std::function<void()> syncNow);

    // Gives widgets to exactly the controls a screen shows and to the focused field.
    void sync(const Viewport &viewport);
    // Where the focused field stands, in the form's pixels.
    std::optional<Band> focusBand() const;
    // Tab and Shift+Tab; false where no field can take the focus.
    bool focusNext(bool next);
    // The desktop's palette changed: what the widgets show follows it.
    void refreshLooks() const;

    // The widgets showing controls, as assistive technology meets them: the fields in Tab
    // order, each after the labels over it; labels over no field are left out.
    const std::vector<QWidget *> &accessibleOrder() const;
    // Whether a screen shows the widget.
    bool showsOnScreen(const QWidget &widget) const;
    // The groups of controls, in the order they were made.
    const std::vector<ControlGroup *> &groups() const { return m_groups; }

    void joined(ControlGroup &group) override;
    void left(ControlGroup &group) override;
    void removed(TextBox &field) override;
    void removed(Label &label) override;
    void moved(Control &control) override;
    void focus(TextBox &field, Qt::FocusReason reason) override;
    void keepSelection(const TextBox &field, std::optional<Selection> selection) override;

private:
    template <class T> struct Bindings
    {
        std::vector<T *> bound;
        std::vector<typename T::Widget *> free;
    };
    template <class T> Bindings<T> &bindings();
    template <class T> void rebind(std::vector<T *> wanted);
    template <class T> void bind(T &control);
    template <class T> void unbind(T &control);
    template <class T> void release(T &control);
    void place(const Control &control) const;

    TextBox *focusedField() const;

    QWidget &m_window;
    std::function<void()> m_syncSoon;
    std::function<void()> m_syncNow;
    std::vector<ControlGroup *> m_groups;
    Bindings<TextBox> m_fields;
    Bindings<Label> m_labels;
    QHash<const TextBox *, Selection> m_selections;
    Viewport m_viewport;
    mutable std::vector<QWidget *> m_accessibleOrder;
    mutable bool m_accessibleOrderKnown = false;
};

} // namespace plenvor
