#include "desktop/icons.h"

#include <QFile>

namespace plenvor {

QIcon iconResource(const QString &name)
{
    // Built into the program from resources/, under the name the program uses.
    const QString path = QStringLiteral(":/plenvor/%1.xpm").arg(name);
    return name == kMainIcon && QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace plenvor
