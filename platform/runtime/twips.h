#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace plenvor {

// 1440 twips an inch at 96 logical pixels an inch.
constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    const double px = std::round(twips / kTwipsPerPixel);
    return int(std::clamp(px, -2147483647.0, 2147483647.0));
}

inline double pixelsToTwips(int pixels)
{
    return double(pixels) * kTwipsPerPixel;
}

} // namespace plenvor
