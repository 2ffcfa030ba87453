#include "shell/key_table.h"

#include "runtime/key_codes.h"

namespace plenvor {

namespace {

struct KeyBinding
{
    qint16 keyCode;
    qint16 shift;
    KeyCommand command;
};

// Tried in this order; the first match acts.
constexpr KeyBinding kKeyTable[] = {
    {vk::kAdd, shiftmask::kCtrl, KeyCommand::AddRow},
    {vk::kSubtract, shiftmask::kCtrl, KeyCommand::RemoveRow},
    {vk::kF1, shiftmask::kShift, KeyCommand::ShowAbout},
    {vk::kF1, 0, KeyCommand::OpenReadMe},
    {vk::kEscape, 0, KeyCommand::Unload},
};

} // namespace

KeyCommand commandForKey(qint16 keyCode, qint16 shift)
{
    for (const KeyBinding &binding : kKeyTable) {
        if (binding.keyCode == keyCode && binding.shift == shift)
            return binding.command;
    }
    return KeyCommand::None;
}

} // namespace plenvor
