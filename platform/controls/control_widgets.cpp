#include "controls/control_widgets.h"

#include "controls/accessible_events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

namespace plenvor {

namespace {

QPalette::ColorRole roleForSystemIndex(quint32 index)
{
    // The system colours Qt's palette can stand for; Windows names in the comments.
    switch (index) {
    case 5:
        return QPalette::Base; // COLOR_WINDOW: the inside of text fields
    case 8:
        return QPalette::Text; // COLOR_WINDOWTEXT
    case 13:
        return QPalette::Highlight; // COLOR_HIGHLIGHT
    case 14:
        return QPalette::HighlightedText; // COLOR_HIGHLIGHTTEXT
    case 15:
        return QPalette::Window; // COLOR_BTNFACE: dialog backgrounds
    case 16:
        return QPalette::Dark; // COLOR_BTNSHADOW
    case 17:
        return QPalette::PlaceholderText; // COLOR_GRAYTEXT
    case 18:
        return QPalette::ButtonText; // COLOR_BTNTEXT
    case 20:
        return QPalette::Light; // COLOR_BTNHIGHLIGHT
    case 23:
        return QPalette::ToolTipText; // COLOR_INFOTEXT
    case 24:
        return QPalette::ToolTipBase; // COLOR_INFOBK
    default:
        return QPalette::WindowText;
    }
}

// The colour a value stands for, system colours taken from the given palette.
QColor resolveOleColor(OleColor color, const QPalette &palette)
{
    if (color & ole::kSystemFlag)
        return palette.color(roleForSystemIndex(color & 0xFFu));
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}

} // namespace

namespace {

// Palettes made from the desktop's, by its key and the two colours; each widget holds its own
// copy of the data, so the cache may forget them.
std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> &sharedPalettes()
{
    static std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> shared;
    return shared;
}

} // namespace

void forgetSharedPalettes()
{
    sharedPalettes().clear();
}

void applyColours(QWidget &widget, OleColor foreColour, OleColor backColour,
                  QPalette::ColorRole foreRole, QPalette::ColorRole backRole)
{
    std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> &shared = sharedPalettes();
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

namespace {

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
            // The same option, moved to the pixmap's origin.
            QStyleOptionFrame frame;
            QStyleOption plain;
            QStyleOption *moved = &plain;
            if (const auto *given = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
                frame = *given;
                moved = &frame;
            } else {
                plain = *option;
            }
            moved->rect.moveTopLeft(QPoint(0, 0));
            QProxyStyle::drawPrimitive(element, moved, &offscreen, widget);
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
