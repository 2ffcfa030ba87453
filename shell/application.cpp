#include "shell/application.h"

#include "controls/accessibility.h"
#include "desktop/qt_about_dialog.h"
#include "desktop/qt_error_report.h"
#include "desktop/qt_settings_store.h"
#include "desktop/qt_support_library.h"
#include "desktop/qt_user_notice.h"
#include "desktop/session_end.h"
#include "desktop/termination_signals.h"
#include "desktop/translations.h"
#include "desktop/window_frames.h"
#include "desktop/window_system.h"
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
    const QByteArray sessionManager = hideSessionManagerFromQt();
    QApplication application(windowSystem.argc(), windowSystem.argv());
    showSessionManagerAgain(sessionManager);
    windowSystem.startDone();
    chooseWhoDrawsFrames();
    const AppObject app = AppObject::plenvor();
    QCoreApplication::setOrganizationName(app.productName);
    QCoreApplication::setApplicationName(app.exeName);
    QCoreApplication::setApplicationVersion(QStringLiteral(PLENVOR_VERSION_STRING));
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENVOR_APP_ID));
    installAccessibility();

    QtSupportLibrary library(app);
    QtErrorReport report(app.title);
    QtUserNotice notice(app.title);
    modMain program({library, app, report, QtSettingsStore::factory(),
                     ComponentSlot<AboutDialog>(QtAboutDialog::factory()), notice});
    stopAtEdge(report, [&] { program.Main(); });
    if (frmMain *form = program.form()) {
        closeOnTerminationSignals(*form);
        keepWorkWhenSessionEnds(*form, sessionManager);
        loadRussianQtTextsAfterFirstPaint(*form);
        if (whenStarted)
            whenStarted(*form);
    }
    int status = application.exec();
    // A list that could not be stored is no success, whatever closed the window.
    if (status == 0 && program.form() && !program.form()->listKept())
        status = EXIT_FAILURE;
    leaveSession();
    // The window has unloaded and its list is stored. Qt's teardown of a platform plugin can
    // wait forever on a thread of its own (Wayland's, in Qt 6.4), and nothing of the
    // program's is left to write: the process ends here, without it.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace plenvor
