#pragma once

class QWidget;

namespace plenvor {

// At a fractional scale Qt asks an X11 window manager to size the window in steps of the
// ratio rounded (2 device pixels at 1.5), and the window manager cuts every size it is later
// asked for down to a step: a window 735 pixels wide becomes 734. The window's steps are made
// one device pixel again, as they are without scaling. Elsewhere nothing is done.
void sizeInWholePixels(const QWidget &window);

} // namespace plenvor
