#pragma once

namespace plenvor {

class Form;

// Treats the end of the session like the window's close command: on Linux, SIGTERM,
// SIGHUP and SIGINT close any modal box and then the form, which runs its unload handler
// and lets the program end normally; once it is ending, they end it at once. Elsewhere this
// does nothing.
void closeOnTerminationSignals(Form &form);

} // namespace plenvor
