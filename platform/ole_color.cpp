#include "platform/ole_color.h"

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

} // namespace

QColor resolveOleColor(OleColor color, const QPalette &palette)
{
    if (color & ole::kSystemFlag)
        return palette.color(roleForSystemIndex(color & 0xFFu));
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}

} // namespace plenvor
