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

Variant storedCount(qint32 rows)
{
    if (rows >= INT16_MIN && rows <= INT16_MAX)
        return Variant::fromInt16(qint16(rows));
    return Variant::fromInt32(rows);
}

qint32 rowsToRestore(qint32 storedCount)
{
    return std::min(storedCount, kRowLimit);
}

} // namespace plenvor
