#pragma once

#include "runtime/hwnd.h"
#include "runtime/status.h"
#include "runtime/truth.h"

#include <QString>

namespace plenvor {

// The maker's support library: window and text services shared by its applications.
// Every function returns a status and writes what it produces through its last argument.
class SupportLibrary
{
public:
    virtual ~SupportLibrary() = default;

    // Registers the running program's path with the system.
    virtual Status asRegisterAppPath(qint32 &result) = 0;
    // True while the program runs inside its development environment.
    virtual Status asIsInIDE(VbBool &inIde) = 0;
    // The application's hidden top-level owner window.
    virtual Status asGetThunderMainHandle(Hwnd &handle) = 0;
    // Sets the window's icons from the program's icon resource of that name.
    virtual Status asSetWindowResIconAll(Hwnd window, const QString &resourceName) = 0;
    // Centres the window on the screen.
    virtual Status asCenterFormEx(Hwnd window, qint32 &result) = 0;
    // The text without the characters around it (never inside) that the true options name:
    // spaces; tabs; CR; LF; NUL; other control characters; no-break spaces (U+00A0, U+2007,
    // U+202F); other Unicode spaces; zero-width characters and the BOM; NEL and the line and
    // paragraph separators. The program trims with the first five, so a number followed by
    // a line end passes validation although the conversion, which skips only spaces and
    // tabs, refuses it unchanged.
    virtual Status asTrimEx2(const QString &text, VbBool spaces, VbBool tabs,
                             VbBool carriageReturns, VbBool lineFeeds, VbBool nulls,
                             VbBool otherControls, VbBool noBreakSpaces, VbBool unicodeSpaces,
                             VbBool zeroWidth, VbBool lineSeparators, QString &result) = 0;
    // Selects the whole text of the edit field.
    virtual Status asHighlightText(Hwnd field) = 0;
    // Opens the program's read-me file for the user; `reserved` must be 0.
    virtual Status asOpenReadMeFile(qint32 reserved, qint32 &result) = 0;
};

} // namespace plenvor
