#pragma once

#include <functional>

namespace plenvor {

class frmMain;

// The whole program: prepares Qt, runs Main and the event loop, and ends the process once the
// window has unloaded; returns only where there is no display to start on. `whenStarted`
// runs once Main has shown the window (benchmarks watch it there).
int runPlenvor(int &argc, char **argv, const std::function<void(frmMain &)> &whenStarted = {});

} // namespace plenvor
