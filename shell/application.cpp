#include "shell/application.h"

#include "platform/error_report.h"
#include "platform/qt_about_dialog.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_support_library.h"
#include "platform/termination_signals.h"
#include "platform/translations.h"
#include "platform/window_system.h"
#include "shell/modMain.h"
#include "version.h"

#include <QApplication>

#include <cstdio>

namespace plenvor {

int runPlenvor(int &argc, char **argv, const std::function<void(frmMain &)> &whenStarted)
{
    QString why;
    if (WindowSystem::missing(why)) {
        std::fprintf(stderr, "plenvor: %s\n", qPrintable(why));
        return 1;
    }
    WindowSystem windowSystem(argc, argv);
    windowSystem.guardStart();
    QApplication application(windowSystem.argc(), windowSystem.argv());
    windowSystem.startDone();
    const AppObject app = AppObject::plenvor();
    QCoreApplication::setOrganizationName(app.productName);
    QCoreApplication::setApplicationName(app.exeName);
    QCoreApplication::setApplicationVersion(QStringLiteral(PLENVOR_VERSION_STRING));
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENVOR_APP_ID));
    setErrorReportCaption(app.title);

    QtSupportLibrary library(app);
    modMain program({library, app, QtSettingsStore::factory(),
                     ComponentSlot<AboutDialog>(QtAboutDialog::factory())});
    stopAtEdge([&] { program.Main(); });
    if (frmMain *form = program.form()) {
        closeOnTerminationSignals(*form);
        loadRussianQtTextsAfterFirstPaint(*form);
        if (whenStarted)
            whenStarted(*form);
    }
    return application.exec();
}

} // namespace plenvor
