// The system's messages to the game's windows, turned into the window
// messages of the shared queue (message_queue.cpp) as the game's window
// procedure expects them: its keys by the game's codes, a close that only
// asks, the session's end, and input kept flowing while a box is up.
#include "platform/messages.h"

#include "platform/message_queue.h"
#include "platform/windows/gamepads.h"
#include "platform/windows/keymap.h"
#include "platform/windows/session.h"
#include "platform/windows/system.h"
#include "platform/windows/window_records.h"

namespace {

// How often a wait looks up for a quit signal and the controllers.
constexpr unsigned waitMilliseconds = 16;

// While a message box runs its own loop, the game's loop does not take
// the queue: the box's loop hands it on instead.
int boxesOpen = 0;

void releaseKeysLetGoIn(HWND window)
{
    std::array<bool, 256> held{};
    for (int virtualKey = 1; virtualKey < 256; ++virtualKey) {
        if (sys::keyIsDown(virtualKey)) {
            const int code = gameKeyCode(virtualKey, sys::scanCodeOf(virtualKey));
            if (code > 0 && code < 256)
                held[static_cast<std::size_t>(code)] = true;
        }
    }
    releaseKeysLetGo(window, held);
}

bool keyMessage(HWND window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool altHeld = (lParam & (std::intptr_t{1} << 29)) != 0;
    const int code = gameKeyCode(static_cast<int>(wParam), scanCodeFromMessage(lParam));
    queueKey(window, code, down, altHeld);
    return true;
}

// Answers what the system asks at once; puts what the game hears in the
// queue. False leaves a message to the system's default procedure.
bool answer(HWND window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
            std::intptr_t& result)
{
    result = 0;
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: return keyMessage(window, message, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Alt+F4 still closes, as everywhere on Windows.
        if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & (std::intptr_t{1} << 29)) != 0)
            return false;
        return keyMessage(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        noteMouse(POINT{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                        static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))});
        queueMessage(window, message, wParam, lParam);
        return true;
    case WM_SIZE:
        // Sent, as on Windows: the game sizes its scene before the call
        // that changed the window returns.
        sendWindowMessage(window, WM_SIZE, wParam, lParam);
        return true;
    case WM_ACTIVATE: queueMessage(window, WM_ACTIVATE, wParam, lParam); return true;
    case WM_SETFOCUS:
        windowRecords.focus = window;
        releaseKeysLetGoIn(window);
        return false;
    case WM_KILLFOCUS:
        if (windowRecords.focus == window)
            windowRecords.focus = nullptr;
        return false;
    case WM_SYSCOMMAND:
        // Neither the screen saver nor the monitor's sleep starts over the
        // game; Alt or F10 alone open no window menu that would stop it.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER)
            return true;
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0)
            return true;
        return false;
    case WM_CLOSE:
        // The close only asks: the game ends its loop and tears down itself.
        queueMessage(window, WM_CLOSE, 0, 0);
        return true;
    case WM_QUERYENDSESSION:
        noteSessionEnding();
        result = 1;
        return true;
    case WM_ENDSESSION:
        if (wParam != 0)
            saveBeforeSessionEnds();
        return true;
    case WM_ERASEBKGND:
        result = 1;  // OpenGL draws every pixel
        return true;
    default: return false;
    }
}

}  // namespace

bool windowMessage(void* systemWindow, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam, std::intptr_t& result)
{
    const HWND window = static_cast<HWND>(systemWindow);
    // A window being made is the game's from its first message.
    if (findWindowEntry(window) == nullptr && windowRecords.procedureBeingCreated != nullptr)
        windowRecords.windows.push_back(WindowEntry{window, windowRecords.procedureBeingCreated});
    if (findWindowEntry(window) == nullptr)
        return false;
    const bool answered = answer(window, message, wParam, lParam, result);
    if (boxesOpen > 0)
        dispatchWaitingMessages();
    return answered;
}

void messageBoxOpened() { ++boxesOpen; }
void messageBoxClosed() { --boxesOpen; }

void pumpSystemEvents()
{
    sys::pumpMessages();
    pollGamepads();
}

bool isGameWindow(HWND window) { return findWindowEntry(window) != nullptr; }

HWND keyboardWindow()
{
    if (findWindowEntry(windowRecords.focus) != nullptr)
        return windowRecords.focus;
    if (windowRecords.windows.empty())
        return nullptr;
    return windowRecords.windows.back().handle;
}

HWND windowToClose()
{
    for (const auto& entry : windowRecords.windows) {
        if (entry.procedure != nullptr)
            return entry.handle;
    }
    return nullptr;
}

LRESULT sendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowEntry* entry = findWindowEntry(window);
    if (entry == nullptr || entry->procedure == nullptr)
        return 0;
    const WNDPROC procedure = entry->procedure;
    return procedure(window, message, wParam, lParam);
}

DWORD messageTime() { return static_cast<DWORD>(sys::tickCount()); }

BOOL WaitMessage()
{
    // A loop that waits draws no frame: the pass that brought it here was
    // its look at the input, so the releases held back for a frame may go.
    frameEnded();
    pumpSystemEvents();
    deliverQuitSignal();
    while (!anyMessage()) {
        sys::waitForMessage(waitMilliseconds);
        pumpSystemEvents();
        deliverQuitSignal();
        if (quitSignalArrived() && !quitSignalDelivered())
            return FALSE;  // no window yet to tell
    }
    return TRUE;
}
