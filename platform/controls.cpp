#include "platform/controls.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <limits>

namespace plenvor {

TextBox::TextBox(QWidget *parent) : ControlBase(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
}

void TextBox::setChangeHandler(Handler handler)
{
    m_onChange = std::move(handler);
    if (!m_changeForwarded) {
        m_changeForwarded = true;
        connect(this, &QLineEdit::textChanged, this, [this] {
            if (m_onChange)
                m_onChange();
        });
    }
}

void TextBox::detachEvents()
{
    m_onChange = nullptr;
    m_onGotFocus = nullptr;
}

TextBox *TextBox::cloneInto(QWidget *parent) const
{
    auto *copy = new TextBox(parent);
    copy->hide();
    copyPropertiesTo(*copy);
    copy->setReadOnly(isReadOnly());
    copy->setAlignment(alignment());
    copy->setFrame(hasFrame());
    if (copy->maxLength() != maxLength())
        copy->setMaxLength(maxLength());
    copy->setText(text());
    return copy;
}

namespace {
bool isOnlyAway(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}
} // namespace

void TextBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from a context menu or from another window is no new focus for the
    // field: it kept its place in its own window all along.
    const bool returning = m_onlyAway && isOnlyAway(event->reason());
    m_onlyAway = false;
    if (!returning && m_onGotFocus)
        m_onGotFocus();
}

void TextBox::keyPressEvent(QKeyEvent *event)
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

void TextBox::focusOutEvent(QFocusEvent *event)
{
    m_onlyAway = isOnlyAway(event->reason());
    QLineEdit::focusOutEvent(event);
}

Label::Label(QWidget *parent) : ControlBase(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setForeColor(ole::kButtonText);
    setBackColor(ole::kButtonFace);
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
    applyGeometry();
}

Label *Label::cloneInto(QWidget *parent) const
{
    auto *copy = new Label(parent);
    copy->hide();
    copy->setAlignment(alignment());
    copy->setText(text());
    copyPropertiesTo(*copy);
    return copy;
}

QSize Label::fittedSize(QSize laidOut) const
{
    // The laid-out sizes were made for Windows' font metrics; other renderers may need a
    // pixel more, and a label must never cut its text.
    return laidOut.expandedTo(sizeHint());
}

} // namespace plenvor
