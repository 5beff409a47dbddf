// The quit signals: the handler only notes that one came; everything else
// happens on the main thread, in the message queue.
#include "platform/quit_signals.h"

#include "platform/platform_state.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t quitSignalled = 0;

extern "C" void noteQuitSignal(int) { quitSignalled = 1; }

void catchUnlessIgnored(int signal)
{
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    // The main thread's reads and writes (the saves among them) go on
    // rather than fail with EINTR.
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

void catchQuitSignals()
{
    catchUnlessIgnored(SIGTERM);
    catchUnlessIgnored(SIGINT);
    catchUnlessIgnored(SIGHUP);
    // A terminal or pipe that went away must not end the game while it
    // saves: a write to it fails instead.
    struct sigaction previous {};
    if (sigaction(SIGPIPE, nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL)
        std::signal(SIGPIPE, SIG_IGN);
}

bool quitSignalArrived() { return quitSignalled != 0; }
