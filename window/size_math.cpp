#include "window/size_math.h"

#include "runtime/rounding.h"
#include "runtime/status.h"

#include <cmath>

namespace plenvor {

namespace {

constexpr qint32 kRowGap = 105;

qint32 orOverflow(std::optional<qint32> value)
{
    if (!value)
        throw RuntimeError(status::kOverflow);
    return *value;
}

} // namespace

std::optional<qint32> targetHeight(qint32 sourceWidth, qint32 width, qint32 height)
{
    // The ratio comes first, in double precision: S * H / W rounds differently.
    if (height == 0)
        return std::nullopt;
    const double ratio = double(width) / height;
    // Dividing by a zero ratio is a division by zero, not an infinite result.
    if (ratio == 0)
        return std::nullopt;
    return roundToInt32(sourceWidth / ratio);
}

std::optional<qint32> targetWidth(qint32 sourceHeight, qint32 width, qint32 height)
{
    if (height == 0)
        return std::nullopt;
    const double ratio = double(width) / height;
    return roundToInt32(ratio * sourceHeight);
}

qint32 rowPitch(qint32 fieldHeight)
{
    return orOverflow(roundToInt32(double(fieldHeight) + kRowGap));
}

qint32 rowTop(qint32 firstTop, qint32 pitch, qint32 n)
{
    const qint64 offset = qint64(pitch) * n;
    if (offset < INT32_MIN || offset > INT32_MAX)
        throw RuntimeError(status::kOverflow);
    return orOverflow(roundToInt32(double(firstTop) + double(offset)));
}

qint16 nextRowIndex(qint16 lastIndex)
{
    if (lastIndex == INT16_MAX)
        throw RuntimeError(status::kOverflow);
    return qint16(lastIndex + 1);
}

} // namespace plenvor
