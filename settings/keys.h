#pragma once

#include <QtGlobal>

#include <QString>

namespace plenvor {

inline const QString kCountKey = QStringLiteral("Resolution Count");

// "Resolution 0 Width", "Resolution 0 Height", ... by the row's index.
QString widthKey(qint32 row);
QString heightKey(qint32 row);

// Rows run from index 0 to 32767.
constexpr qint32 kRowLimit = 32768;

// How many rows a stored count restores: no more than there can be.
qint32 rowsToRestore(qint32 storedCount);

} // namespace plenvor
