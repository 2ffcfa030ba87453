#pragma once

class QWidget;

namespace plenvor {

// Tells assistive technology (AT-SPI, read by screen readers) of the program's windows as a
// user meets them: a form is a frame named by its caption whose children are the controls a
// screen shows, in Tab order, each once; a field says whether it can be edited, which labels
// name it and whether a screen shows it; an arrow between fields is left out. The program's
// other plain windows are frames named by their captions. Safe to call more than once.
void installAccessibility();

// Tells assistive technology that the window's children are other ones now.
void childrenChanged(QWidget &window);

} // namespace plenvor
