#pragma once

namespace plenvor {

// Tells assistive technology (AT-SPI, read by screen readers) of the program's windows as a
// user meets them: a form is a frame named by its caption whose children are the controls a
// screen shows, in Tab order, each once; a field is named by its role and row, says whether it
// can be edited and whether a screen shows it; an arrow between fields is left out. The
// program's other plain windows are frames named by their captions. What it hears of them is
// filtered (accessible_events.h). Safe to call more than once.
void installAccessibility();

} // namespace plenvor
