#pragma once

#include <QtGlobal>

#include <cmath>
#include <optional>

namespace plenvor {

// Rounds to the nearest integer with halves to even (2.5 -> 2, 3.5 -> 4); empty when
// the value is not finite or lies outside the signed 32-bit range once rounded.
inline std::optional<qint32> roundToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::round(value);
    double rounded = whole;
    // std::round takes halves away from zero; step back where that made an odd number.
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(whole, 2.0) != 0.0)
        rounded = whole - std::copysign(1.0, value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return qint32(rounded);
}

} // namespace plenvor
