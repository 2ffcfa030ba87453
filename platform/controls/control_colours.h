#pragma once

#include "runtime/ole_color.h"

#include <QPalette>

class QStyle;
class QWidget;

namespace plenvor {

// Paints the OLE colours through the widget's palette. Fields of the same colours share one
// palette's data; a colour the widget shows anyway is left to the palette it inherits, so it
// keeps following the desktop's.
void applyColours(QWidget &widget, OleColor foreColour, OleColor backColour,
                  QPalette::ColorRole foreRole, QPalette::ColorRole backRole);
// The desktop's palette changed: the palettes made from the old one are shared no more.
void forgetSharedPalettes();

// The style a field paints its frame with: the application's, each frame drawn once for each
// size, state and palette and then copied.
QStyle *panelCache();

} // namespace plenvor
