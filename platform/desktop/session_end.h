#pragma once

#include <QByteArray>

namespace plenvor {

class Form;

// However the desktop session ends under the program, the form keeps its user's work wherever
// the process can still act (the termination signals are termination_signals.h's):
// - a session manager asks its programs to save, of whatever kind: the form keeps its work and
//   stays loaded; the manager's "die" unloads it; a manager that goes away leaves the program
//   running, its work kept as the manager goes;
// - the display goes away (the X server ends or dies, the program's connection is killed, the
//   Wayland compositor ends or dies): Qt's platform plugin ends the process as soon as it has
//   said so, so the form unloads first, without its window, and the process ends with status 1
//   and one line saying why.
void keepWorkWhenSessionEnds(Form &form, const QByteArray &sessionManager);

// Qt would join the session manager itself, and libICE then ends the program when the manager
// goes away: until the QApplication is made, the manager's address is out of the environment
// Qt reads; afterwards it is back, for the programs this one starts.
QByteArray hideSessionManagerFromQt();
void showSessionManagerAgain(const QByteArray &address);

// Leaves the session manager's session, as a program that ends does; called as it ends.
void leaveSession();

} // namespace plenvor
