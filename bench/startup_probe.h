#pragma once

class QWidget;

// For start-up measurements: once the window is first mapped and then fully painted,
// prints "mapped <ns>", "painted <ns>" (CLOCK_MONOTONIC) and "vmhwm <kB>" on stdout and
// ends the process at once.
void reportStartupAndExit(QWidget &window);
