#include "desktop/session_client.h"

#include "desktop/broken_pipe_quiet.h"
#include "desktop/session_address.h"

#include <QSocketNotifier>
#include <QSysInfo>

#ifdef PLENVOR_XSMP
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#endif

namespace plenvor {

#ifdef PLENVOR_XSMP

namespace {

QByteArray userName()
{
    if (const passwd *user = ::getpwuid(::getuid()))
        return user->pw_name;
    return qgetenv("USER");
}

// One property's values, kept alive for the one SmcSetProperties call that sends them.
struct Property
{
    QByteArray name;
    QByteArray type;
    std::vector<QByteArray> values;
    std::vector<SmPropValue> raw;
    SmProp prop{};

    Property(const char *n, const char *t, std::vector<QByteArray> v)
        : name(n), type(t), values(std::move(v))
    {
        for (QByteArray &value : values)
            raw.push_back({int(value.size()), value.data()});
        prop = {name.data(), type.data(), int(raw.size()), raw.data()};
    }
};

class XsmpClient final : public SessionClient
{
public:
    explicit XsmpClient(Program program) : m_program(std::move(program)) {}
    ~XsmpClient() override;
    XsmpClient(const XsmpClient &) = delete;
    XsmpClient &operator=(const XsmpClient &) = delete;

    bool open(const QByteArray &address, const QByteArray &previousId);
    QByteArray clientId() const override { return m_id; }

private:
    static void installHandlers();
    // The client whose connection libICE's handlers speak of, or null.
    static XsmpClient *owning(IceConn ice);

    void readMessages();
    void setProperties();
    // The manager has gone or spoke nonsense: the work is kept, the connection given up.
    void lost();
    void close();

    static inline XsmpClient *s_current = nullptr;

    Program m_program;
    SmcConn m_connection = nullptr;
    QByteArray m_id;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_lost = false;
};

void XsmpClient::installHandlers()
{
    // libICE's and libSM's own handlers end the process.
    IceSetIOErrorHandler([](IceConn ice) {
        if (XsmpClient *client = owning(ice))
            client->lost();
    });
    IceSetErrorHandler([](IceConn ice, Bool, int, unsigned long, int, int severity, IcePointer) {
        XsmpClient *client = owning(ice);
        if (client && severity != IceCanContinue)
            client->lost();
    });
    SmcSetErrorHandler(
        [](SmcConn connection, Bool, int, unsigned long, int, int severity, SmPointer) {
            XsmpClient *client = s_current;
            if (client && client->m_connection == connection && severity != IceCanContinue)
                client->lost();
        });
}

XsmpClient *XsmpClient::owning(IceConn ice)
{
    XsmpClient *client = s_current;
    return client && client->m_connection && SmcGetIceConnection(client->m_connection) == ice
               ? client
               : nullptr;
}

bool XsmpClient::open(const QByteArray &address, const QByteArray &previousId)
{
    installHandlers();
    SmcCallbacks callbacks = {};
    callbacks.save_yourself.callback = [](SmcConn connection, SmPointer self, int, Bool, int,
                                          Bool) {
        auto *client = static_cast<XsmpClient *>(self);
        // Whatever kind of save: a local one is the one xsm's logout sends.
        const bool kept = client->m_program.keepWork();
        client->setProperties();
        SmcSaveYourselfDone(connection, kept ? True : False);
    };
    callbacks.save_yourself.client_data = this;
    callbacks.die.callback = [](SmcConn, SmPointer self) {
        auto *client = static_cast<XsmpClient *>(self);
        QMetaObject::invokeMethod(
            client->m_notifier.get(), [client] { client->m_program.end(); }, Qt::QueuedConnection);
    };
    callbacks.die.client_data = this;
    callbacks.save_complete.callback = [](SmcConn, SmPointer) {};
    callbacks.shutdown_cancelled.callback = [](SmcConn, SmPointer) {};
    const unsigned long mask = SmcSaveYourselfProcMask | SmcDieProcMask | SmcSaveCompleteProcMask |
                               SmcShutdownCancelledProcMask;

    BrokenPipeQuiet quiet;
    QByteArray ids =
        idsToTry(address, QSysInfo::machineHostName().toLocal8Bit(), listeningSockets());
    if (ids.isEmpty())
        return false;
    char error[256] = {};
    char *id = nullptr;
    m_connection = SmcOpenConnection(ids.data(), this, SmProtoMajor, SmProtoMinor, mask, &callbacks,
                                     previousId.isEmpty() ? nullptr : previousId.constData(), &id,
                                     int(sizeof error), error);
    if (!m_connection && !previousId.isEmpty()) {
        // A manager that no longer knows the old client takes a new one.
        m_connection = SmcOpenConnection(ids.data(), this, SmProtoMajor, SmProtoMinor, mask,
                                         &callbacks, nullptr, &id, int(sizeof error), error);
    }
    if (!m_connection)
        return false;
    m_id = id;
    std::free(id);
    s_current = this;
    m_notifier = std::make_unique<QSocketNotifier>(
        IceConnectionNumber(SmcGetIceConnection(m_connection)), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readMessages(); });
    setProperties();
    return true;
}

void XsmpClient::readMessages()
{
    BrokenPipeQuiet quiet;
    if (IceProcessMessages(SmcGetIceConnection(m_connection), nullptr, nullptr) !=
        IceProcessMessagesSuccess)
        lost();
    if (m_lost)
        close();
}

void XsmpClient::setProperties()
{
    const QStringList restart = m_program.restartCommand(m_id);
    std::vector<QByteArray> command;
    for (const QString &word : restart)
        command.push_back(word.toLocal8Bit());
    const QByteArray program = command.empty() ? QByteArray() : command.front();
    Property properties[] = {
        {SmProgram, SmARRAY8, {program}},
        {SmRestartCommand, SmLISTofARRAY8, command},
        {SmCloneCommand, SmLISTofARRAY8, {program}},
        {SmUserID, SmARRAY8, {userName()}},
        {SmProcessID, SmARRAY8, {QByteArray::number(qint64(::getpid()))}},
        {SmRestartStyleHint, SmCARD8, {QByteArray(1, char(SmRestartIfRunning))}},
    };
    SmProp *list[std::size(properties)];
    for (size_t i = 0; i < std::size(properties); ++i)
        list[i] = &properties[i].prop;
    SmcSetProperties(m_connection, int(std::size(list)), list);
}

void XsmpClient::lost()
{
    if (m_lost)
        return;
    m_lost = true;
    if (m_notifier)
        m_notifier->setEnabled(false);
    // The session may be ending: the manager going is the first sign of it.
    m_program.keepWork();
}

void XsmpClient::close()
{
    if (!m_connection)
        return;
    if (s_current == this)
        s_current = nullptr;
    m_notifier.reset();
    BrokenPipeQuiet quiet;
    SmcCloseConnection(std::exchange(m_connection, nullptr), 0, nullptr);
}

XsmpClient::~XsmpClient()
{
    close();
}

} // namespace

std::unique_ptr<SessionClient> SessionClient::join(const QByteArray &address,
                                                   const QByteArray &previousId, Program program)
{
    if (address.isEmpty())
        return nullptr;
    auto client = std::make_unique<XsmpClient>(std::move(program));
    if (!client->open(address, previousId))
        return nullptr;
    return client;
}

#else

std::unique_ptr<SessionClient> SessionClient::join(const QByteArray &, const QByteArray &, Program)
{
    return nullptr;
}

#endif

} // namespace plenvor
