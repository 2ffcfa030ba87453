#pragma once

#include <QString>

namespace plenvor {

// The platform's description of the running program, as the outside components read it.
struct AppObject
{
    QString title;
    QString exeName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString productName;
    QString fileDescription;

    // The version as the version block writes it: "3.00.0017".
    QString versionText() const;

    // Plenvor's own, from its version block.
    static AppObject plenvor();
};

} // namespace plenvor
