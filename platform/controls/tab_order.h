#pragma once

#include "controls/controls.h"

#include <vector>

namespace plenvor {

// The field Tab reaches from `from`, or from the start (the end, going back) where it is null;
// null where no field can take the focus. The fields stand in Tab order by index, and at one
// index in the order their groups were made; a form's single fields stand at index 0. Hidden
// fields take no focus, and past the end the walk starts again from the beginning.
TextBox *nextInTabOrder(const std::vector<ControlGroup *> &groups, const TextBox *from, bool next);

// The widgets of the fields given, in Tab order, each after the labels over it that have a
// widget; labels over no field are left out.
std::vector<QWidget *> readingOrder(const std::vector<ControlGroup *> &groups,
                                    std::vector<TextBox *> fields);

} // namespace plenvor
