#include "controls/control_widgets.h"

#include "controls/accessible_events.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace plenvor {

namespace {

qsizetype firstBreak(const QString &text)
{
    const auto found = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    });
    return found == text.cend() ? -1 : found - text.cbegin();
}

// Whatever reaches the line edit (typed, pasted, dropped, from an input method or an assistive
// tool) passes here. What arrived ends at the caret, and the field held no break before it
// came: the break and the rest of what arrived go, the field's own text after it stays.
class OneLine final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &text, int &cursor) const override
    {
        const qsizetype at = firstBreak(text);
        if (at >= 0) {
            text.remove(at, (cursor > at ? cursor : text.size()) - at);
            cursor = int(at);
        }
        return Acceptable;
    }
};

bool isOnlyAway(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

} // namespace

QString firstLine(const QString &text)
{
    const qsizetype at = firstBreak(text);
    return at < 0 ? text : text.left(at);
}

FieldWidget::FieldWidget(QWidget *parent) : QLineEdit(parent)
{
    setStyle(panelCache());
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new OneLine(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (owner && !m_pushing)
            owner->userEdited(text);
    });
}

void FieldWidget::push(const QString &text)
{
    m_pushing = true;
    setText(text);
    m_pushing = false;
}

Selection FieldWidget::selection() const
{
    return {cursorPosition(), std::max(0, selectionStart()), int(selectedText().size())};
}

void FieldWidget::select(const Selection &selection)
{
    setCursorPosition(selection.cursor);
    if (selection.length <= 0)
        return;
    // The caret stays at the end the selection was made towards, so Shift and an arrow go on
    // from there.
    if (selection.cursor == selection.start)
        setSelection(selection.start + selection.length, -selection.length);
    else
        setSelection(selection.start, selection.length);
}

void FieldWidget::focusInEvent(QFocusEvent *event)
{
    const AccessibleSilence selectingWithTheFocus(*this);
    QLineEdit::focusInEvent(event);
    // Coming back from a context menu or another window is no new focus for the field: it
    // kept its place in its own window all along.
    const bool returning = onlyAway && isOnlyAway(event->reason());
    onlyAway = false;
    if (!returning && owner)
        owner->focusReceived();
}

void FieldWidget::focusOutEvent(QFocusEvent *event)
{
    const AccessibleSilence deselectingWithTheFocus(*this);
    onlyAway = isOnlyAway(event->reason());
    QLineEdit::focusOutEvent(event);
}

void FieldWidget::keyPressEvent(QKeyEvent *event)
{
    // Like an edit field on Windows, Ctrl with a key types nothing (Ctrl+keypad plus is a
    // command, not a "+"); the field's own shortcuts still work. Ctrl+Alt is AltGr there.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && !event->text().isEmpty()) {
        QKeyEvent withoutText(event->type(), event->key(), mods, event->nativeScanCode(),
                              event->nativeVirtualKey(), event->nativeModifiers(), QString(),
                              event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&withoutText);
        event->setAccepted(withoutText.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

LabelWidget::LabelWidget(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

} // namespace plenvor
