#include "shell/application.h"

#include "platform/error_report.h"
#include "platform/qt_about_dialog.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_support_library.h"
#include "platform/termination_signals.h"
#include "platform/translations.h"
#include "shell/modMain.h"
#include "version.h"

#include <QApplication>

#include <cstdio>

namespace plenvor {

namespace {

// Without a display Qt would stop with a page of plugin errors; say it in one line.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int runPlenvor(int &argc, char **argv, const std::function<void(frmMain &)> &whenStarted)
{
    if (!displayAvailable()) {
        std::fputs("plenvor: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); start it from a desktop session.\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
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
