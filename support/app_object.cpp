#include "support/app_object.h"

#include "version.h"

namespace plenvor {

QString AppObject::versionText() const
{
    return QStringLiteral("%1.%2.%3")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(revision, 4, 10, QLatin1Char('0'));
}

AppObject AppObject::plenvor()
{
    AppObject app;
    app.title = QStringLiteral(PLENVOR_TITLE);
    app.exeName = QStringLiteral(PLENVOR_EXE_NAME);
    app.major = PLENVOR_VERSION_MAJOR;
    app.minor = PLENVOR_VERSION_MINOR;
    app.revision = PLENVOR_VERSION_REVISION;
    app.productName = QStringLiteral(PLENVOR_PRODUCT);
    app.fileDescription = QStringLiteral(PLENVOR_DESCRIPTION);
    return app;
}

} // namespace plenvor
