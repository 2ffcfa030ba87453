// A session manager as small as X11's session protocol (XSMP) allows, for the end-to-end tests:
// it prints the SESSION_MANAGER address for its one client, then takes commands on its input
// ("save": save yourself, both kinds, as for a logout; "die") and says what the client does
// ("registered", "saved 1", "closed").
#include <X11/SM/SMlib.h>

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

SmsConn g_client = nullptr;
IceConn g_connection = nullptr;

void say(const char *what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

Bool anyHost(char *)
{
    return True;
}

// What the client sends that needs no more than an answer; a test's process may leak it.
Status newClient(SmsConn connection, SmPointer, unsigned long *mask, SmsCallbacks *c, char **)
{
    g_client = connection;
    *c = {};
    c->register_client.callback = [](SmsConn conn, SmPointer, char *) -> Status {
        SmsRegisterClientReply(conn, SmsGenerateClientID(conn));
        say("registered");
        return 1;
    };
    c->interact_request.callback = [](SmsConn conn, SmPointer, int) { SmsInteract(conn); };
    c->interact_done.callback = [](SmsConn, SmPointer, Bool) {};
    c->save_yourself_request.callback = [](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {};
    c->save_yourself_phase2_request.callback = [](SmsConn conn, SmPointer) {
        SmsSaveYourselfPhase2(conn);
    };
    c->save_yourself_done.callback = [](SmsConn conn, SmPointer, Bool success) {
        SmsSaveComplete(conn);
        say(success ? "saved 1" : "saved 0");
    };
    c->close_connection.callback = [](SmsConn conn, SmPointer, int, char **) {
        SmsCleanUp(conn);
        g_client = nullptr;
        say("closed");
    };
    c->set_properties.callback = [](SmsConn, SmPointer, int, SmProp **) {};
    c->delete_properties.callback = [](SmsConn, SmPointer, int, char **) {};
    c->get_properties.callback = [](SmsConn conn, SmPointer) {
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
    IceAddConnectionWatch([](IceConn connection, IcePointer, Bool opening,
                             IcePointer *) { g_connection = opening ? connection : nullptr; },
                          nullptr);
    IceSetIOErrorHandler([](IceConn) {}); // a client that ends without a word ends nothing
    // Only this machine's own transport is offered.
    IceListenObj *local = std::find_if(listeners, listeners + count, [](IceListenObj listener) {
        const std::string name = IceGetListenConnectionString(listener);
        return name.starts_with("local/") || name.starts_with("unix/");
    });
    if (local == listeners + count)
        return 1;
    IceSetHostBasedAuthProc(*local, anyHost);
    say(IceComposeNetworkIdList(1, local));

    for (;;) {
        IceConn open = g_connection;
        pollfd fds[] = {{0, POLLIN, 0},
                        {IceGetListenConnectionNumber(*local), POLLIN, 0},
                        {open ? IceConnectionNumber(open) : -1, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0)
            return 1;
        char line[64] = {};
        if (fds[0].revents && !std::fgets(line, sizeof line, stdin))
            return 0;
        if (g_client && std::strcmp(line, "save\n") == 0)
            SmsSaveYourself(g_client, SmSaveBoth, True, SmInteractStyleNone, False);
        else if (g_client && std::strcmp(line, "die\n") == 0)
            SmsDie(g_client);
        IceAcceptStatus status;
        IceConn accepted = fds[1].revents ? IceAcceptConnection(*local, &status) : nullptr;
        while (accepted && IceConnectionStatus(accepted) == IceConnectPending)
            IceProcessMessages(accepted, nullptr, nullptr);
        if (fds[2].revents &&
            IceProcessMessages(open, nullptr, nullptr) == IceProcessMessagesIOError) {
            g_client = nullptr;
            IceCloseConnection(open);
            say("closed");
        }
    }
}
