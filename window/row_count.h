#pragma once

#include <QString>

namespace plenvor {

// The number of rows as the window's description says it, with the Russian plural:
// "1 строка", "3 строки", "5 строк", "11 строк", "21 строка".
QString rowCountText(qint32 rows);

} // namespace plenvor
