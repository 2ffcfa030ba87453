#pragma once

#include <QtGlobal>

#include <optional>

namespace plenvor {

// The target height for a source width: S / (W / H), rounded half to even. Empty where
// the arithmetic fails (a division by zero or an invalid operation) or the result does not
// fit in 32 bits.
std::optional<qint32> targetHeight(qint32 sourceWidth, qint32 width, qint32 height);

// The target width for a source height: (W / H) * S, rounded the same way.
std::optional<qint32> targetWidth(qint32 sourceHeight, qint32 width, qint32 height);

// The distance from one row to the next: a row field's height and the gap below it.
// Raises an overflow where it leaves the 32-bit range.
qint32 rowPitch(qint32 fieldHeight);

// Row n's top, from row 0's top. Raises an overflow where it leaves the 32-bit range.
qint32 rowTop(qint32 firstTop, qint32 pitch, qint32 n);

// The index after the last row; raises an overflow past the highest 16-bit index.
qint16 nextRowIndex(qint16 lastIndex);

} // namespace plenvor
