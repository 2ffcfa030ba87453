#pragma once

namespace plenvor {

class Form;

// However the desktop session ends under the program, the form keeps its user's work wherever
// the process can still act (the termination signals are termination_signals.h's):
// - a session manager asks its programs to save: the form keeps its work and stays loaded;
// - the display goes away (the X server ends or dies, the program's connection is killed, the
//   Wayland compositor ends or dies): Qt's platform plugin ends the process as soon as it has
//   said so, so the form unloads first, without its window, and the process ends with status 1
//   and one line saying why.
void keepWorkWhenSessionEnds(Form &form);

} // namespace plenvor
