#pragma once

#include "support/support_library.h"

#include <QString>

namespace plenvor {

class TextBox;

// The text's number, or -1 when it cannot be trimmed or is no number. Never raises.
qint32 ParseNumber(SupportLibrary &library, QString text);

// True when the text's number is greater than zero.
bool IsPositiveNumber(SupportLibrary &library, const QString &text);

// Colours the field: the window-text colour while its text is a positive number, red
// otherwise. Written on every call. A failure to read or colour the field is raised.
void ValidateField(SupportLibrary &library, TextBox &field);

} // namespace plenvor
