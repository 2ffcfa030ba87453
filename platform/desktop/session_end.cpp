#include "desktop/session_end.h"

#include "controls/form.h"
#include "desktop/session_client.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSemaphore>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace plenvor {

namespace {

// Set on the GUI thread, before the handler is installed; read there only.
QPointer<Form> g_form;
std::unique_ptr<SessionClient> g_session;
// Read by whichever thread logs, from the moment the handler is installed.
std::atomic<QtMessageHandler> g_previous = nullptr;

// What Qt's X11 and Wayland plugins say just before they end the process, with no way back.
bool saysTheDisplayWent(const QString &message)
{
    static const QLatin1String kLastWords[] = {
        QLatin1String("The X11 connection broke"),
        QLatin1String("The Wayland connection broke"),
        QLatin1String("The Wayland connection experienced a fatal error"),
    };
    return std::ranges::any_of(kLastWords,
                               [&](QLatin1String words) { return message.startsWith(words); });
}

[[noreturn]] void endWithoutDisplay(const QString &why)
{
    if (g_form)
        g_form->unloadWithoutWindow();
    leaveSession();
    std::fprintf(stderr, "plenvor: the display went away: %s\n", qPrintable(why));
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // A message logged while the handler was being installed, before the previous one is known.
    if (const QtMessageHandler previous = g_previous.load())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtWarningMsg || !saysTheDisplayWent(message)) {
        passOn(type, context, message);
        return;
    }
    if (QThread::currentThread() == qApp->thread())
        endWithoutDisplay(message);
    // The form belongs to the GUI thread: a thread of the plugin's hands the end over and must
    // not return before the GUI thread has it, or the plugin ends the process first. Once the
    // GUI thread has it, the process ends there. Should the GUI thread be waiting on this one,
    // it never comes: after a while the plugin is let end the process, rather than hang.
    static QSemaphore taken;
    QMetaObject::invokeMethod(qApp, [message] {
        taken.release();
        endWithoutDisplay(message);
    });
    if (taken.tryAcquire(1, 10000))
        QSemaphore().acquire();
}

} // namespace

void keepWorkWhenSessionEnds(Form &form, const QByteArray &sessionManager)
{
    g_form = &form;
    if (!g_session) {
        g_session = SessionClient::join(
            sessionManager, qApp->isSessionRestored() ? qApp->sessionId().toLocal8Bit() : "",
            {[] { return !g_form || g_form->keepWorkNow(); },
             [] {
                 if (g_form)
                     g_form->endForSession();
             },
             [](const QByteArray &clientId) {
                 return QStringList{QCoreApplication::applicationFilePath(),
                                    QStringLiteral("-session"), QString::fromLocal8Bit(clientId)};
             }});
    }
    if (!g_previous.load())
        g_previous = qInstallMessageHandler(onMessage);
}

QByteArray hideSessionManagerFromQt()
{
    QByteArray address = qgetenv("SESSION_MANAGER");
    qunsetenv("SESSION_MANAGER");
    return address;
}

void showSessionManagerAgain(const QByteArray &address)
{
    if (!address.isEmpty())
        qputenv("SESSION_MANAGER", address);
}

void leaveSession()
{
    g_session.reset();
}

} // namespace plenvor
