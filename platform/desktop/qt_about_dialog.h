#pragma once

#include "support/about_dialog.h"

namespace plenvor {

// The about box: modal over its owner, in Russian, closed with Esc, Enter or its button.
class QtAboutDialog final : public AboutDialog
{
public:
    Status ShowAbout(QWidget *owner, const AppObject &app, const QString &extraText,
                     const QPixmap *picture, const QString &dedication) override;

    static AboutDialogFactory factory();
};

} // namespace plenvor
