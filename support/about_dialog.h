#pragma once

#include "runtime/status.h"
#include "support/app_object.h"
#include "support/component.h"

#include <QString>

class QPixmap;
class QWidget;

namespace plenvor {

// Shows the program's about box.
class AboutDialog
{
public:
    virtual ~AboutDialog() = default;

    // `owner` is the window the box stands over; `extraText` is shown under the
    // description when not empty; `picture` replaces the program's icon when given;
    // `dedication` names the person the program is dedicated to.
    virtual Status ShowAbout(QWidget *owner, const AppObject &app, const QString &extraText,
                             const QPixmap *picture, const QString &dedication) = 0;
};

using AboutDialogFactory = ComponentFactory<AboutDialog>;

} // namespace plenvor
