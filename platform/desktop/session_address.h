#pragma once

#include <QByteArray>
#include <QSet>

#include <optional>

namespace plenvor {

// The Unix sockets that live processes listen on, as Linux lists them ("@name" for an abstract
// one); nullopt where the system keeps no such list.
std::optional<QSet<QByteArray>> listeningSockets();

// The network ids of a session manager's address (SESSION_MANAGER) worth giving libICE,
// comma-separated; empty where none is. An address left behind by a manager that has gone, one
// libICE cannot parse and one on another host's local socket each make libICE print a line for
// every way it fails: a user should see nothing of them. Where the address has local ids and
// none of them on this `host` is listened on, the manager has gone; where it has none, its
// other ids are tried as they are. Without a list of what is listened on, a local id is tried.
QByteArray idsToTry(const QByteArray &address, const QByteArray &host,
                    const std::optional<QSet<QByteArray>> &listening);

} // namespace plenvor
