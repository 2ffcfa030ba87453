#include "settings/keys.h"

#include <algorithm>

namespace plenvor {

QString widthKey(qint32 row)
{
    return QStringLiteral("Resolution %1 Width").arg(row);
}

QString heightKey(qint32 row)
{
    return QStringLiteral("Resolution %1 Height").arg(row);
}

qint32 rowsToRestore(qint32 storedCount)
{
    return std::min(storedCount, kRowLimit);
}

} // namespace plenvor
