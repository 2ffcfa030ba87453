#include "desktop/session_address.h"

#include <QByteArrayList>
#include <QFile>
#include <QRegularExpression>

namespace plenvor {

std::optional<QSet<QByteArray>> listeningSockets()
{
    QFile list(QStringLiteral("/proc/net/unix"));
    if (!list.open(QIODevice::ReadOnly))
        return std::nullopt;
    QSet<QByteArray> paths;
    const QByteArrayList lines = list.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QByteArrayList columns = line.simplified().split(' ');
        if (columns.size() >= 8)
            paths.insert(columns[7]);
    }
    return paths;
}

QByteArray idsToTry(const QByteArray &address, const QByteArray &host,
                    const std::optional<QSet<QByteArray>> &listening)
{
    // protocol/host:port, where a local port is a socket's path.
    static const QRegularExpression kNetworkId(QStringLiteral("^([A-Za-z0-9]+)/([^:]*):(.+)$"));
    bool hasLocal = false;
    QByteArrayList others;
    for (const QByteArray &id : address.split(',')) {
        const QRegularExpressionMatch parts = kNetworkId.match(QString::fromLocal8Bit(id));
        if (!parts.hasMatch())
            continue;
        const QString protocol = parts.captured(1);
        if (protocol != u"local" && protocol != u"unix") {
            others << id;
            continue;
        }
        hasLocal = true;
        const QByteArray path = parts.captured(3).toLocal8Bit();
        if (parts.captured(2).toLocal8Bit() == host && (!listening || listening->contains(path)))
            return id;
    }
    return hasLocal ? QByteArray() : others.join(',');
}

} // namespace plenvor
