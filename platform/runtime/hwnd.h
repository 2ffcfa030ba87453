#pragma once

#include <QtGlobal>

namespace plenvor {

// A 32-bit window handle, as the window system hands them out.
using Hwnd = quint32;

} // namespace plenvor
