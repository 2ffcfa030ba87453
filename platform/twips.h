#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace plenvor {

// 1440 twips an inch at 96 logical pixels an inch.
constexpr int kTwipsPerPixel = 15;

// X11 keeps window coordinates and sizes in 16 bits; anything beyond is clamped only
// where it reaches the window system, never in the values the program keeps.
constexpr int kMaxWindowCoordinate = 32767;
constexpr int kMinWindowCoordinate = -32768;

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
