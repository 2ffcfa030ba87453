// A session manager as small as X11's session protocol (XSMP) allows, for the end-to-end tests:
// it prints the SESSION_MANAGER address for its one client, then takes commands on its input
// ("save": save yourself, both kinds, as for a logout; "die") and says what the client does
// ("registered", "saved 1", "closed").
#include <X11/SM/SMlib.h>

#include <poll.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

SmsConn g_client = nullptr;
std::vector<IceConn> g_connections;

void say(const char *what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

Bool anyHost(char *)
{
    return True;
}

void watch(IceConn connection, IcePointer, Bool opening, IcePointer *)
{
    if (opening)
        g_connections.push_back(connection);
    else
        std::erase(g_connections, connection);
}

Status newClient(SmsConn connection, SmPointer, unsigned long *mask, SmsCallbacks *callbacks,
                 char **)
{
    g_client = connection;
    *callbacks = {};
    callbacks->register_client.callback = [](SmsConn conn, SmPointer, char *) -> Status {
        char *id = SmsGenerateClientID(conn);
        SmsRegisterClientReply(conn, id);
        std::free(id);
        say("registered");
        return 1;
    };
    callbacks->interact_request.callback = [](SmsConn conn, SmPointer, int) { SmsInteract(conn); };
    callbacks->interact_done.callback = [](SmsConn, SmPointer, Bool) {};
    callbacks->save_yourself_request.callback = [](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {
    };
    callbacks->save_yourself_phase2_request.callback = [](SmsConn conn, SmPointer) {
        SmsSaveYourselfPhase2(conn);
    };
    callbacks->save_yourself_done.callback = [](SmsConn conn, SmPointer, Bool success) {
        SmsSaveComplete(conn);
        say(success ? "saved 1" : "saved 0");
    };
    callbacks->close_connection.callback = [](SmsConn conn, SmPointer, int count, char **reasons) {
        SmFreeReasons(count, reasons);
        SmsCleanUp(conn);
        g_client = nullptr;
        say("closed");
    };
    callbacks->set_properties.callback = [](SmsConn, SmPointer, int count, SmProp **props) {
        for (int i = 0; i < count; ++i)
            SmFreeProperty(props[i]);
        std::free(props);
    };
    callbacks->delete_properties.callback = [](SmsConn, SmPointer, int count, char **names) {
        for (int i = 0; i < count; ++i)
            std::free(names[i]);
        std::free(names);
    };
    callbacks->get_properties.callback = [](SmsConn conn, SmPointer) {
        SmsReturnProperties(conn, 0, nullptr);
    };
    *mask = ~0UL;
    return 1;
}

} // namespace

int main()
{
    char error[256] = {};
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!SmsInitialize("plenvor-tests", "1", newClient, nullptr, anyHost, sizeof error, error) ||
        !IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "session manager: %s\n", error);
        return 1;
    }
    IceAddConnectionWatch(watch, nullptr);
    // A client that ends without a word is no reason for the manager to end.
    IceSetIOErrorHandler([](IceConn) {});
    // Only this machine's own transports are offered.
    std::vector<IceListenObj> local;
    for (int i = 0; i < count; ++i) {
        char *name = IceGetListenConnectionString(listeners[i]);
        if (std::strncmp(name, "local/", 6) == 0 || std::strncmp(name, "unix/", 5) == 0)
            local.push_back(listeners[i]);
        std::free(name);
    }
    for (IceListenObj listener : local)
        IceSetHostBasedAuthProc(listener, anyHost);
    char *address = IceComposeNetworkIdList(int(local.size()), local.data());
    std::printf("%s\n", address);
    std::fflush(stdout);
    std::free(address);

    for (;;) {
        std::vector<pollfd> fds{{0, POLLIN, 0}};
        for (IceListenObj listener : local)
            fds.push_back({IceGetListenConnectionNumber(listener), POLLIN, 0});
        const std::vector<IceConn> open = g_connections;
        for (IceConn connection : open)
            fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0)
            return 1;
        if (fds[0].revents) {
            char line[64] = {};
            if (!std::fgets(line, sizeof line, stdin))
                return 0;
            const std::string command(line, std::strcspn(line, "\n"));
            if (g_client && command == "save")
                SmsSaveYourself(g_client, SmSaveBoth, True, SmInteractStyleNone, False);
            else if (g_client && command == "die")
                SmsDie(g_client);
        }
        for (std::size_t i = 0; i < local.size(); ++i) {
            if (!fds[i + 1].revents)
                continue;
            IceAcceptStatus status;
            if (IceConn accepted = IceAcceptConnection(local[i], &status))
                while (IceConnectionStatus(accepted) == IceConnectPending)
                    IceProcessMessages(accepted, nullptr, nullptr);
        }
        for (std::size_t i = 0; i < open.size(); ++i) {
            if (fds[local.size() + 1 + i].revents &&
                IceProcessMessages(open[i], nullptr, nullptr) == IceProcessMessagesIOError) {
                g_client = nullptr;
                IceCloseConnection(open[i]);
                say("closed");
            }
        }
    }
}
