#pragma once

#include <QString>

namespace plenvor {

// Why a file cannot be written where it stands, in the system's words, found by doing what
// writing it takes: making its missing folders, writing and flushing a new file beside it,
// and opening the file itself for writing. Leaves nothing behind but the folders the file
// would need anyway. A general reason where every step works now.
QString whyNotWritable(const QString &path);

} // namespace plenvor
