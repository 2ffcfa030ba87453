#include "runtime/key_codes.h"

#include <utility>

namespace plenvor {

namespace {

qint16 keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qint16(96 + (key - Qt::Key_0)); // VK_NUMPAD0..9
    switch (key) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return vk::kAdd;
    case Qt::Key_Minus:
        return vk::kSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110; // VK_DECIMAL, whichever the layout prints
    case Qt::Key_Slash:
        return 111;
    default:
        return -1; // keypad keys that act like their main-keyboard twins
    }
}

// The main keyboard's keys and their virtual-key codes.
constexpr std::pair<int, qint16> kMainKeys[] = {
    {Qt::Key_Backspace, vk::kBack},
    {Qt::Key_Tab, vk::kTab},
    {Qt::Key_Backtab, vk::kTab},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, vk::kReturn},
    {Qt::Key_Enter, vk::kReturn},
    {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},
    {Qt::Key_Alt, vk::kMenu},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Plus, vk::kOemPlus},
    {Qt::Key_Equal, vk::kOemPlus},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, vk::kOemMinus},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
};

} // namespace

qint16 virtualKeyCode(int key, Qt::KeyboardModifiers modifiers, quint32 nativeKey)
{
    constexpr quint32 kKeysymKeypadAdd = 0xffab;
    constexpr quint32 kKeysymKeypadSubtract = 0xffad;
    if (nativeKey == kKeysymKeypadAdd && key == Qt::Key_Plus)
        return vk::kAdd;
    if (nativeKey == kKeysymKeypadSubtract && key == Qt::Key_Minus)
        return vk::kSubtract;
    if (modifiers & Qt::KeypadModifier) {
        if (const qint16 code = keypadCode(key); code >= 0)
            return code;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qint16(key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return qint16(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return qint16(vk::kF1 + (key - Qt::Key_F1));
    for (const auto &[qtKey, code] : kMainKeys) {
        if (qtKey == key)
            return code;
    }
    return 0;
}

qint16 shiftState(Qt::KeyboardModifiers modifiers)
{
    qint16 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= shiftmask::kShift;
    if (modifiers & Qt::ControlModifier)
        mask |= shiftmask::kCtrl;
    if (modifiers & Qt::AltModifier)
        mask |= shiftmask::kAlt;
    return mask;
}

} // namespace plenvor
