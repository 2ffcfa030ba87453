#pragma once

#include <QtGlobal>

namespace plenvor {

// A 16-bit truth value: 0 is false, -1 is true.
using VbBool = qint16;
constexpr VbBool kVbTrue = -1;
constexpr VbBool kVbFalse = 0;

} // namespace plenvor
