#pragma once

#include <QtGlobal>

#include <cstdint>

namespace plenvor {

enum class KeyCommand : std::uint8_t { None, AddRow, RemoveRow, ShowAbout, OpenReadMe, Unload };

// The window's commands by virtual-key code and shift state. The shift state must match
// exactly: Ctrl+Shift+keypad plus is no command.
KeyCommand commandForKey(qint16 keyCode, qint16 shift);

} // namespace plenvor
