#pragma once

#include <QtGlobal>

namespace plenvor {

// A 32-bit OLE colour: 0x80000000 | index for a system colour, otherwise 0x00BBGGRR.
using OleColor = quint32;

namespace ole {
constexpr OleColor kSystemFlag = 0x80000000u;
constexpr OleColor systemColor(int index)
{
    return kSystemFlag | OleColor(index);
}
constexpr OleColor kWindow = systemColor(5);
constexpr OleColor kWindowText = systemColor(8);
constexpr OleColor kButtonFace = systemColor(15);
constexpr OleColor kButtonText = systemColor(18);
constexpr OleColor rgb(int r, int g, int b)
{
    return OleColor(r) | OleColor(g) << 8 | OleColor(b) << 16;
}
constexpr OleColor kRed = rgb(255, 0, 0);
} // namespace ole

} // namespace plenvor
