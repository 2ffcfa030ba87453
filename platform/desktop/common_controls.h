#pragma once

namespace plenvor {

// Prepares the platform's common controls. Qt's widgets need no registration, so this
// only keeps start-up's steps the same on every platform.
inline void InitCommonControls() {}

} // namespace plenvor
