#pragma once

#include <qnamespace.h>
#include <QtGlobal>

#include <optional>

namespace plenvor {

class Control;
class ControlGroup;
class Label;
class TextBox;

// Where a field's caret stands and what of its text is selected.
struct Selection
{
    int cursor = 0;
    int start = 0;
    int length = 0;
};

// What the controls of a form tell the form that shows them. It outlives every group and
// control made on it.
class ControlHost
{
public:
    // A group joins when it is made and leaves once its members are gone.
    virtual void joined(ControlGroup &group) = 0;
    virtual void left(ControlGroup &group) = 0;
    // A control is about to go.
    virtual void removed(TextBox &field) = 0;
    virtual void removed(Label &label) = 0;
    // A control came, moved, or was shown or hidden.
    virtual void moved(Control &control) = 0;
    virtual void focus(TextBox &field, Qt::FocusReason reason) = 0;
    // A field without a widget keeps its caret and selection here, where it has one to keep.
    virtual void keepSelection(const TextBox &field, std::optional<Selection> selection) = 0;

protected:
    ~ControlHost() = default;
};

} // namespace plenvor
