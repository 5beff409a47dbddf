// The session's quit signals on Windows: the console's control events (its
// window closed, Ctrl+C or Ctrl+Break, logoff, shutdown) and the desktop's
// end of session. The console handler runs on a thread of the system's: it
// only notes the signal, wakes the game's thread and gives it the time the
// system allows to save and end.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/quit_signals.h"
#include "platform/windows/session.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool> quitSignalled{false};
std::atomic<bool> gameEnded{false};
DWORD gameThread = 0;

void noteGameEnded() { gameEnded = true; }

BOOL WINAPI onConsoleEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: break;
    default: return FALSE;
    }
    quitSignalled = true;
    PostThreadMessageA(gameThread, WM_NULL, 0, 0);
    // Returning ends the process at once for a close, logoff or shutdown;
    // the system allows a few seconds, which saving needs far less of.
    for (int waited = 0; waited < 400 && !gameEnded; ++waited)
        Sleep(10);
    return TRUE;
}

}  // namespace

void catchQuitSignals()
{
    gameThread = GetCurrentThreadId();
    std::atexit(noteGameEnded);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool quitSignalArrived() { return quitSignalled; }

void noteSessionEnding() { quitSignalled = true; }
