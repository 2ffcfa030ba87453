#include "platform/key_codes.h"

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
    switch (key) {
    case Qt::Key_Backspace:
        return vk::kBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::kTab;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::kReturn;
    case Qt::Key_Shift:
        return vk::kShift;
    case Qt::Key_Control:
        return vk::kControl;
    case Qt::Key_Alt:
        return vk::kMenu;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return vk::kEscape;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return vk::kOemPlus;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return vk::kOemMinus;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Slash:
        return 191;
    case Qt::Key_QuoteLeft:
        return 192;
    case Qt::Key_BracketLeft:
        return 219;
    case Qt::Key_Backslash:
        return 220;
    case Qt::Key_BracketRight:
        return 221;
    case Qt::Key_Apostrophe:
        return 222;
    default:
        return 0;
    }
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
