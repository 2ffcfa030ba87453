#pragma once

#include "platform/controls.h"

#include <vector>

namespace plenvor {

// The field Tab reaches from `from`, or from the start (the end, going back) where it is null;
// null where no field can take the focus. The fields stand in Tab order by index, and at one
// index in the order their groups were made; a form's single fields stand at index 0. Hidden
// fields take no focus, and past the end the walk starts again from the beginning.
TextBox *nextInTabOrder(const std::vector<ControlGroup *> &groups, const TextBox *from, bool next);

// The same order as a sort: the fields given, each once, as Tab meets them.
void sortInTabOrder(const std::vector<ControlGroup *> &groups, std::vector<TextBox *> &fields);

} // namespace plenvor
