#include "desktop/session_end.h"

#include "controls/form.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSemaphore>
#include <QSessionManager>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace plenvor {

namespace {

// Set once, before the handler is installed; read on the GUI thread only.
QPointer<Form> g_form;
QtMessageHandler g_previous = nullptr;

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
    std::fprintf(stderr, "plenvor: the display went away: %s\n", qPrintable(why));
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

void onMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtWarningMsg || !saysTheDisplayWent(message)) {
        g_previous(type, context, message);
        return;
    }
    // The form belongs to the GUI thread: there it unloads at once; a thread of the plugin's
    // hands it over and must not return meanwhile, or the plugin ends the process first.
    QMetaObject::invokeMethod(qApp, [message] { endWithoutDisplay(message); });
    QSemaphore never;
    never.acquire();
}

} // namespace

void keepWorkWhenSessionEnds(Form &form)
{
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager &) { form.keepWorkNow(); });
    const bool first = !g_previous;
    g_form = &form;
    if (first)
        g_previous = qInstallMessageHandler(onMessage);
}

} // namespace plenvor
