#pragma once

class QObject;
class QWidget;

namespace plenvor {

// What assistive technology hears of the program's changes. A screen reader pays for every
// event, and one that arrives out of turn is read out of turn, so it hears:
// - a field's focus, and then the field with its text and selection, once;
// - what changes in the text of the widget the user is in, not what the program writes
//   elsewhere, which is read when the user gets there;
// - nothing of a widget being lent to a control or taken back: it meets the widget as a new
//   object whenever the widget shows another control;
// - a window's new description, announced, while the window is the active one.
void installAccessibleEvents();

// While one lives, assistive technology hears nothing of the object or what it holds: a widget
// being lent to a control or taken back, a field whose selection moves with the focus, which the
// focus event that follows tells at once, or a window that has ended, whose events would be read
// only after the program is gone.
class AccessibleSilence
{
public:
    explicit AccessibleSilence(const QObject &object);
    ~AccessibleSilence();
    AccessibleSilence(const AccessibleSilence &) = delete;
    AccessibleSilence &operator=(const AccessibleSilence &) = delete;

private:
    const QObject *m_object;
};

// The widget no longer shows what it showed: assistive technology forgets the object it knew,
// and meets a new one when the widget shows another control.
void forgetAccessible(QWidget &widget);

} // namespace plenvor
