#include "desktop/termination_signals.h"

#include "controls/form.h"

#ifdef Q_OS_UNIX
#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace plenvor {

#ifdef Q_OS_UNIX

namespace {

int g_wakeFds[2] = {-1, -1};

extern "C" void onTerminationSignal(int)
{
    // Only async-signal-safe work here: the event loop does the rest. The interrupted code
    // finds errno as it left it, whatever the write did.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_wakeFds[0], &byte, 1);
    errno = savedErrno;
}

// Neither end goes to the programs the desktop opener starts, and the handler's write never
// waits: a byte already there wakes the loop as well.
bool makeWakePair()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wakeFds) != 0)
        return false;
    for (const int fd : g_wakeFds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

} // namespace

void closeOnTerminationSignals(Form &form)
{
    if (g_wakeFds[0] < 0 && !makeWakePair())
        return;
    auto *notifier = new QSocketNotifier(g_wakeFds[1], QSocketNotifier::Read, &form);
    QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form] {
        char bytes[64];
        while (::read(g_wakeFds[1], bytes, sizeof bytes) > 0) {
        }
        form.endForSession();
    });

    const auto handleWith = [](void (*handler)(int)) {
        struct sigaction action = {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int sig : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(sig, &action, nullptr);
    };
    handleWith(onTerminationSignal);
    // Once the window has gone and the list is stored, a signal ends the process at once.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [handleWith] { handleWith(SIG_DFL); });
}

#else

void closeOnTerminationSignals(Form &) {}

#endif

} // namespace plenvor
