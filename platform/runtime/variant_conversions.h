#pragma once

#include "runtime/variant.h"

namespace plenvor {

// The platform's standard conversions of a variant. To a 32-bit integer: numbers round half
// to even, text goes through the number conversion of the user's locale, empty gives 0. To
// text: numbers give their digits, empty gives "". Error values fail both.
Status variantToInt32(const Variant &value, qint32 &out);
Status variantToText(const Variant &value, QString &out);

// The same, raising a failure as a run-time error.
qint32 CLng(const Variant &value);
QString CStr(const Variant &value);

} // namespace plenvor
