#include "window/row_count.h"

namespace plenvor {

QString rowCountText(qint32 rows)
{
    const qint32 ones = rows % 10;
    const qint32 tens = rows % 100;
    const char *word = "строк";
    if (ones == 1 && tens != 11)
        word = "строка";
    else if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        word = "строки";
    return QStringLiteral("%1 %2").arg(rows).arg(QString::fromUtf8(word));
}

} // namespace plenvor
