#include "controls/control_colours.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

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

} // namespace

QStyle *panelCache()
{
    static QPointer<PanelCache> style;
    if (!style)
        style = new PanelCache(QStyleFactory::create(QApplication::style()->name()));
    return style;
}

} // namespace plenvor
