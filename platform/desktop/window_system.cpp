#include "desktop/window_system.h"

#include <QDir>
#include <QLibraryInfo>
#include <QMutex>

#include <cstdio>
#include <cstdlib>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace plenvor {

namespace {

// What Qt said while it tried to reach the window system, from whichever thread: the xcb
// plugin's reader thread may speak too.
QStringList g_startMessages;
QMutex g_startMessagesLock;

QtMessageHandler &previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// While Qt starts, what the libraries below it write to the error stream goes to a scratch
// file ("Authorization required" from Xlib, an empty line): on success it is passed on, on
// failure the one line stands alone.
struct HeldErrors
{
    int saved = -1;
    std::FILE *held = nullptr;
};

HeldErrors &heldErrors()
{
    static HeldErrors errors;
    return errors;
}

void holdErrors()
{
#ifdef Q_OS_UNIX
    HeldErrors &errors = heldErrors();
    std::fflush(stderr);
    errors.held = std::tmpfile();
    if (errors.held) {
        errors.saved = ::dup(STDERR_FILENO);
        ::dup2(::fileno(errors.held), STDERR_FILENO);
    }
#endif
}

// Gives the error stream back; `passOn` copies what was held to it.
void releaseErrors(bool passOn)
{
#ifdef Q_OS_UNIX
    const HeldErrors errors = std::exchange(heldErrors(), {});
    if (!errors.held)
        return;
    std::fflush(stderr);
    ::dup2(errors.saved, STDERR_FILENO);
    ::close(errors.saved);
    if (passOn && std::fseek(errors.held, 0, SEEK_SET) == 0) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, errors.held))
            std::fwrite(buffer, 1, n, stderr);
    }
    std::fclose(errors.held);
#else
    Q_UNUSED(passOn)
#endif
}

// One line out of what Qt said before it gave up.
QString reason()
{
    const QMutexLocker locked(&g_startMessagesLock);
    for (const QString &message : g_startMessages) {
        if (message.contains(QLatin1String("could not connect to display")))
            return QStringLiteral("cannot connect to the display \"%1\" (it is not there, or "
                                  "refuses this user); start Plenvor from a desktop session.")
                .arg(qEnvironmentVariable("DISPLAY"));
        if (message.contains(QLatin1String("Failed to create wl_display")))
            return QStringLiteral("cannot connect to the Wayland display \"%1\"; start "
                                  "Plenvor from a desktop session.")
                .arg(qEnvironmentVariable("WAYLAND_DISPLAY"));
        if (message.contains(QLatin1String("Could not find the Qt platform plugin")))
            return QStringLiteral("Qt has no window system plugin \"%1\" (QT_QPA_PLATFORM).")
                .arg(qEnvironmentVariable("QT_QPA_PLATFORM"));
    }
    return QStringLiteral("Qt could not start a window system plugin; is qt6-qpa-plugins "
                          "installed?");
}

void duringStart(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        const QMutexLocker locked(&g_startMessagesLock);
        g_startMessages << message;
        return;
    }
    releaseErrors(false);
    std::fprintf(stderr, "plenvor: %s\n", qPrintable(reason()));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

bool hasXcbPlugin()
{
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    return !QDir(plugins + QStringLiteral("/platforms"))
                .entryList({QStringLiteral("*qxcb*")}, QDir::Files)
                .isEmpty();
}

} // namespace

WindowSystem::WindowSystem(int &argc, char **argv) : m_argc(argc), m_argv(argv, argv + argc)
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && hasXcbPlugin()) {
        m_argv.push_back(m_platform.data());
        m_argv.push_back(m_xcb.data());
        m_argc += 2;
    }
#endif
    m_argv.push_back(nullptr);
}

WindowSystem::~WindowSystem()
{
    startDone();
}

bool WindowSystem::missing(QString &why)
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    why = QStringLiteral("no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not "
                         "set); start it from a desktop session.");
    return true;
#else
    Q_UNUSED(why)
    return false;
#endif
}

void WindowSystem::guardStart()
{
    previousHandler() = qInstallMessageHandler(duringStart);
    holdErrors();
    m_guarding = true;
}

void WindowSystem::startDone()
{
    if (!m_guarding)
        return;
    m_guarding = false;
    qInstallMessageHandler(previousHandler());
    releaseErrors(true);
    // The start went well: what Qt said on the way is worth as much as ever.
    QStringList said;
    {
        const QMutexLocker locked(&g_startMessagesLock);
        said = std::exchange(g_startMessages, {});
    }
    for (const QString &message : said)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace plenvor
