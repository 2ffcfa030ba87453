#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>

namespace plenvor {

// The program in an X session manager's session (XSMP: GNOME, KDE Plasma, Xfce, MATE, LXQt and
// xsm speak it), on libSM and libICE: every save the manager asks for, of whatever kind, keeps
// the user's work before it is answered; the manager's "die" ends the program; a manager that
// goes away, or answers nonsense, never ends it, but the work is kept as it goes. Unix only.
class SessionClient
{
public:
    struct Program
    {
        // Keeps the user's work now; says whether it is kept.
        std::function<bool()> keepWork;
        // The manager asks the program to end. Called from the event loop, never from within
        // the manager's message.
        std::function<void()> end;
        // How the manager starts the program again, as the client it now is.
        std::function<QStringList(const QByteArray &clientId)> restartCommand;
    };

    // Joins the manager that `address` (SESSION_MANAGER's value) names, as `previousId` where
    // the manager started the program as that client; null, saying nothing, where no manager
    // answers.
    static std::unique_ptr<SessionClient> join(const QByteArray &address,
                                               const QByteArray &previousId, Program program);
    // Leaves the session as a program that ends does.
    virtual ~SessionClient() = default;

    virtual QByteArray clientId() const = 0;
};

} // namespace plenvor
