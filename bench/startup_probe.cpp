#include "startup_probe.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class StartupWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window->isExposed() && m_mapped == 0) {
            m_mapped = nowNs();
            // The expose is painted and flushed before the event loop turns again.
            QTimer::singleShot(0, this, [this] {
                const long long painted = nowNs();
                std::printf("mapped %lld\npainted %lld\nvmhwm %ld\n", m_mapped, painted,
                            peakResidentKb());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    long long m_mapped = 0;
};

} // namespace

void reportStartupAndExit(QWidget &window)
{
    window.winId(); // makes sure the native window exists
    window.windowHandle()->installEventFilter(new StartupWatcher(&window));
}
