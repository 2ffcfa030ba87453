#include "platform/controls.h"

#include "platform/form.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <limits>
#include <map>
#include <tuple>

namespace plenvor {

namespace {

// Fields of the same colours share one palette's data instead of each holding a copy. A
// colour the widget shows anyway is left to the palette it inherits, so it keeps following
// the desktop's.
void applyColours(QWidget &widget, OleColor foreColour, OleColor backColour,
                  QPalette::ColorRole foreRole, QPalette::ColorRole backRole)
{
    static std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> shared;
    const QPalette system = QApplication::palette(&widget);
    const QColor fore = resolveOleColor(foreColour, system);
    const QColor back = resolveOleColor(backColour, system);
    if (fore == system.color(foreRole) && back == system.color(backRole)) {
        if (widget.testAttribute(Qt::WA_SetPalette))
            widget.setPalette(QPalette());
        return;
    }
    QPalette &palette = shared[{system.cacheKey(), fore.rgba(), back.rgba()}];
    if (palette.resolveMask() == 0) {
        palette = system;
        palette.setColor(foreRole, fore);
        palette.setColor(backRole, back);
        palette.setResolveMask(~QPalette::ResolveMask(0));
    }
    widget.setPalette(palette);
}

// A field's frame and background, drawn once for each size, state and palette and then copied:
// a screenful of fields is painted at once, and the style draws them with antialiased paths.
class PanelCache final : public QProxyStyle
{
public:
    explicit PanelCache(QStyle *base) : QProxyStyle(base) { setParent(qApp); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_PanelLineEdit || !painter->device()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const qreal ratio = painter->device()->devicePixelRatio();
        const QPalette &colours = option->palette;
        const QString key = QStringLiteral("plenvor-panel-%1x%2@%3-%4-%5-%6-%7")
                                .arg(option->rect.width())
                                .arg(option->rect.height())
                                .arg(ratio)
                                .arg(int(option->state))
                                .arg(colours.color(QPalette::Base).rgba())
                                .arg(colours.color(QPalette::Window).rgba())
                                .arg(colours.color(QPalette::Highlight).rgba());
        QPixmap panel;
        if (!QPixmapCache::find(key, &panel)) {
            panel = QPixmap(option->rect.size() * ratio);
            panel.setDevicePixelRatio(ratio);
            panel.fill(Qt::transparent);
            QPainter offscreen(&panel);
            std::unique_ptr<QStyleOption> moved(option->type == QStyleOption::SO_Frame
                                                    ? new QStyleOptionFrame(*static_cast<const QStyleOptionFrame *>(option))
                                                    : new QStyleOption(*option));
            moved->rect.moveTopLeft(QPoint(0, 0));
            QProxyStyle::drawPrimitive(element, moved.get(), &offscreen, widget);
            offscreen.end();
            QPixmapCache::insert(key, panel);
        }
        painter->drawPixmap(option->rect.topLeft(), panel);
    }
};

QStyle *panelCache()
{
    static QPointer<PanelCache> style;
    if (!style)
        style = new PanelCache(QStyleFactory::create(QApplication::style()->name()));
    return style;
}

bool isOnlyAway(Qt::FocusReason reason)
{
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

} // namespace

// The widget that shows a text field while it is seen or focused.
class FieldWidget final : public QLineEdit
{
public:
    explicit FieldWidget(QWidget *parent) : QLineEdit(parent)
    {
        setStyle(panelCache());
        setMaxLength(std::numeric_limits<int>::max());
        connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
            if (control && !pushing)
                control->userEdited(text);
        });
    }

    void push(const QString &text)
    {
        pushing = true;
        setText(text);
        pushing = false;
    }

    TextBox *control = nullptr;
    bool pushing = false;  // the program, not the user, is writing the text
    bool onlyAway = false; // the focus went to a menu or another window, not another field

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QLineEdit::focusInEvent(event);
        // Coming back from a context menu or another window is no new focus for the field:
        // it kept its place in its own window all along.
        const bool returning = onlyAway && isOnlyAway(event->reason());
        onlyAway = false;
        if (!returning && control && control->fieldClass().gotFocus)
            control->fieldClass().gotFocus(control->Index());
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        onlyAway = isOnlyAway(event->reason());
        QLineEdit::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
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
    void changeEvent(QEvent *event) override
    {
        // System colours follow a change of the desktop's palette.
        if (event->type() == QEvent::ApplicationPaletteChange && control)
            applyColours(*this, control->ForeColor(), control->BackColor(), QPalette::Text,
                         QPalette::Base);
        QLineEdit::changeEvent(event);
    }
};

class LabelWidget final : public QLabel
{
public:
    explicit LabelWidget(QWidget *parent) : QLabel(parent)
    {
        setFocusPolicy(Qt::NoFocus);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextFormat(Qt::PlainText);
    }

    Label *control = nullptr;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange && control)
            applyColours(*this, control->ForeColor(), control->BackColor(), QPalette::WindowText,
                         QPalette::Window);
        QLabel::changeEvent(event);
    }
};

QWidget *makeControlWidget(bool field, QWidget *parent)
{
    if (field)
        return new FieldWidget(parent);
    return new LabelWidget(parent);
}

void releaseControlWidget(QWidget &widget)
{
    if (auto *field = dynamic_cast<FieldWidget *>(&widget))
        field->control = nullptr;
    else if (auto *label = dynamic_cast<LabelWidget *>(&widget))
        label->control = nullptr;
}

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

void TextBox::setCursorPosition(int position)
{
    if (auto *field = static_cast<QLineEdit *>(widget()))
        field->setCursorPosition(position);
    else
        form().keepSelection(*this, Selection{position, position, 0});
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
        field.control = const_cast<TextBox *>(this);
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
