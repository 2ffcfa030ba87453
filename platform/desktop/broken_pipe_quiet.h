#pragma once

#include <csignal>
#include <ctime>
#include <pthread.h>

namespace plenvor {

// While this lives, a write of this thread's to a peer that has gone fails with EPIPE instead of
// ending the process with SIGPIPE, for libraries that write with plain write() (libICE). Unix.
class BrokenPipeQuiet
{
public:
    BrokenPipeQuiet()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_old);
    }
    ~BrokenPipeQuiet()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now = {};
            sigtimedwait(&m_pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    BrokenPipeQuiet(const BrokenPipeQuiet &) = delete;
    BrokenPipeQuiet &operator=(const BrokenPipeQuiet &) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_old{};
    bool m_wasPending = false;
};

} // namespace plenvor
