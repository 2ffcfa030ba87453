#pragma once

class QWidget;

namespace plenvor {

// Qt's own texts (the fields' context menus, standard dialogs) in Russian like the rest of
// the window, from Qt's translations. Loaded just after the window is first painted, so
// start-up does not wait for them; without the translation files Qt's English remains.
void loadRussianQtTextsAfterFirstPaint(QWidget &window);

} // namespace plenvor
