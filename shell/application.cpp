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
#include <cstdlib>

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
    const int status = application.exec();
    // The window has unloaded and its list is stored. Qt's teardown of a platform plugin can
    // wait forever on a thread of its own (Wayland's, in Qt 6.4), and nothing of the
    // program's is left to write: the process ends here, without it.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace plenvor
