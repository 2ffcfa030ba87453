#pragma once

namespace plenvor {

// Where the program runs on Wayland and the compositor draws no frames (GNOME's does not), Qt
// would draw its own, offering to maximise a window of fixed size: there Qt draws none and the
// forms draw their own (Form::drawOwnFrames), with a minimise and a close button. To be called
// once the QApplication exists, before any window is made.
void chooseWhoDrawsFrames();

} // namespace plenvor
