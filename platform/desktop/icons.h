#pragma once

#include <QIcon>
#include <QString>

namespace plenvor {

// The program's one icon resource: the window and the application show it.
inline const QString kMainIcon = QStringLiteral("A_MAIN");

// The program's icon resource of that name, or a null icon where it has none.
QIcon iconResource(const QString &name);

} // namespace plenvor
