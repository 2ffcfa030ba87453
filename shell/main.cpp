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

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("plenvor: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); start it from a desktop session.\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
    const plenvor::AppObject app = plenvor::AppObject::plenvor();
    QCoreApplication::setOrganizationName(app.productName);
    QCoreApplication::setApplicationName(app.exeName);
    QCoreApplication::setApplicationVersion(QStringLiteral(PLENVOR_VERSION_STRING));
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENVOR_APP_ID));
    plenvor::setErrorReportCaption(app.title);

    plenvor::QtSupportLibrary library(app);
    plenvor::modMain program(
        {library, app, plenvor::QtSettingsStore::factory(), plenvor::QtAboutDialog::factory()});
    plenvor::stopAtEdge([&] { program.Main(); });
    if (plenvor::frmMain *form = program.form()) {
        plenvor::closeOnTerminationSignals(*form);
        plenvor::loadRussianQtTextsAfterFirstPaint(*form);
    }
    return application.exec();
}
