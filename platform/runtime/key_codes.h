#pragma once

#include <qnamespace.h>
#include <QtGlobal>

namespace plenvor {

// Virtual-key codes as the key handler receives them.
namespace vk {
constexpr qint16 kBack = 8;
constexpr qint16 kTab = 9;
constexpr qint16 kReturn = 13;
constexpr qint16 kShift = 16;
constexpr qint16 kControl = 17;
constexpr qint16 kMenu = 18;
constexpr qint16 kEscape = 27;
constexpr qint16 kAdd = 107;      // the numeric keypad's plus
constexpr qint16 kSubtract = 109; // the numeric keypad's minus
constexpr qint16 kF1 = 112;
constexpr qint16 kOemPlus = 187; // the main keyboard's plus/equals
constexpr qint16 kOemMinus = 189;
} // namespace vk

// The shift state: 1 Shift, 2 Ctrl, 4 Alt.
namespace shiftmask {
constexpr qint16 kShift = 1;
constexpr qint16 kCtrl = 2;
constexpr qint16 kAlt = 4;
} // namespace shiftmask

// The virtual-key code of a key, or 0 for a key without one. `nativeKey` is the window system's
// own symbol for it (an X keysym on X11 and Wayland): Qt on Wayland does not mark the keypad's
// keys with its keypad modifier, and the keysym tells them apart all the same.
qint16 virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeKey = 0);
qint16 shiftState(Qt::KeyboardModifiers modifiers);

} // namespace plenvor
