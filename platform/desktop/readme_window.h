#pragma once

#include <QString>

namespace plenvor {

// Opens the read-me with the desktop's opener (xdg-open on Linux); where there is none, or it
// says it could not open the file, shows it in a window of the program's own. Returns at
// once: the opener is heard from later.
void openReadMe(const QString &path);

// The program's own read-me window: read-only, scrollable, in the desktop's fixed-width font so
// that its columns line up, closed with Esc, beside the main window and not blocking it, and
// gone with it. One at a time: showing it again raises it.
void showReadMeWindow(const QString &path);

} // namespace plenvor
