#include "validation/validation.h"

#include "controls/controls.h"
#include "runtime/number_conversion.h"

namespace plenvor {

qint32 ParseNumber(SupportLibrary &library, QString text)
{
    QString trimmed;
    bool ok = false;
    resumeNext([&] {
        // Spaces, tabs, line ends and NULs go; the other five kinds of blank stay.
        check(library.asTrimEx2(text, kVbTrue, kVbTrue, kVbTrue, kVbTrue, kVbTrue, kVbFalse,
                                kVbFalse, kVbFalse, kVbFalse, kVbFalse, trimmed));
        ok = true;
    });
    qint32 value = 0;
    if (ok)
        ok = !failed(VarI4FromStr(trimmed, value));
    return ok ? value : -1;
}

bool IsPositiveNumber(SupportLibrary &library, const QString &text)
{
    return ParseNumber(library, text) > 0;
}

void ValidateField(SupportLibrary &library, TextBox &field)
{
    const QString text = field.Text();
    field.setForeColor(IsPositiveNumber(library, text) ? ole::kWindowText : ole::kRed);
}

} // namespace plenvor
