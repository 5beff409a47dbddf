// The message queue, and SDL's events turned into the window messages the
// game's window procedure understands.
#include "platform/messages.h"

#include "platform/gamepad.h"
#include "platform/keymap.h"
#include "platform/platform_state.h"

#include <algorithm>
#include <array>
#include <deque>

namespace {

struct QueueRecord {
    std::deque<MSG> messages;
    // Keys whose press went out as WM_KEYDOWN: their release goes out as
    // WM_KEYUP even when Alt is held by then, so no key sticks in the game.
    std::array<bool, 256> keyDownSent{};
    POINT lastMouse{};
    bool quitSignalDelivered = false;
};

// How often a wait looks up from SDL's queue for a quit signal.
constexpr Uint32 signalCheckMilliseconds = 250;

QueueRecord queue;

// A quit signal reaches the game as the window manager's close would: one
// WM_CLOSE to the game window, sent once there is a window to send it to.
void deliverQuitSignal()
{
    if (!quitSignalArrived() || queue.quitSignalDelivered)
        return;
    for (const auto& window : platformRecords.windows) {
        if (window->procedure != nullptr) {
            queueMessage(window->handle, WM_CLOSE, 0, 0);
            queue.quitSignalDelivered = true;
            return;
        }
    }
}

bool matchesFilter(const MSG& message, HWND window, UINT filterMin, UINT filterMax)
{
    if (window != nullptr && message.hwnd != window && message.message != WM_QUIT)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

LPARAM positionParameter(Sint32 x, Sint32 y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The window an event belongs to; keyboard events that SDL could not give
// to a window go to the one with the focus.
WindowRecord* eventWindow(Uint32 sdlId)
{
    if (sdlId != 0)
        return findWindowBySdlId(sdlId);
    return findWindow(platformRecords.focus);
}

void translateKey(const SDL_KeyboardEvent& key)
{
    const WindowRecord* window = eventWindow(key.windowID);
    if (window == nullptr)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const SDL_Keycode symbol = key.keysym.sym;
    const bool isAlt = symbol == SDLK_LALT || symbol == SDLK_RALT;
    const int code = isAlt ? VK_MENU : virtualKeyFromKeycode(symbol);
    if (code == 0)
        return;
    const bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
    bool systemKey = isAlt || altHeld || code == VK_F10;
    if (!down && queue.keyDownSent[code] && !isAlt && code != VK_F10)
        systemKey = false;
    if (down && !systemKey)
        queue.keyDownSent[code] = true;  // a repeat under Alt does not forget it
    else if (!down)
        queue.keyDownSent[code] = false;

    UINT message = 0;
    if (systemKey)
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else
        message = down ? WM_KEYDOWN : WM_KEYUP;
    queueMessage(window->handle, message, static_cast<WPARAM>(code), 0);
}

void translateMouseMotion(const SDL_MouseMotionEvent& motion)
{
    const WindowRecord* window = findWindowBySdlId(motion.windowID);
    if (window == nullptr)
        return;
    queue.lastMouse = POINT{motion.x, motion.y};
    queueMessage(window->handle, WM_MOUSEMOVE, 0, positionParameter(motion.x, motion.y));
}

void translateMouseButton(const SDL_MouseButtonEvent& button)
{
    const WindowRecord* window = findWindowBySdlId(button.windowID);
    if (window == nullptr)
        return;
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    UINT message = 0;
    if (button.button == SDL_BUTTON_LEFT)
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    else if (button.button == SDL_BUTTON_RIGHT)
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    else
        return;
    queue.lastMouse = POINT{button.x, button.y};
    queueMessage(window->handle, message, 0, positionParameter(button.x, button.y));
}

void translateWindowEvent(const SDL_WindowEvent& event)
{
    WindowRecord* window = findWindowBySdlId(event.windowID);
    if (window == nullptr)
        return;
    const HWND handle = window->handle;
    switch (event.event) {
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(window->sdlWindow, &width, &height);
        // SDL reports one resize twice; the game hears of each size once.
        if (width == window->sizeSentWidth && height == window->sizeSentHeight)
            return;
        window->sizeSentWidth = width;
        window->sizeSentHeight = height;
        queueMessage(handle, WM_SIZE, 0, positionParameter(width, height));
        return;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
        window->minimised = true;
        queueMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
        return;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:  // a maximised window comes back from the taskbar so
    case SDL_WINDOWEVENT_SHOWN:
        window->minimised = false;
        queueMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        // Focus does not bring a minimised window back; only a restore does.
        platformRecords.focus = handle;
        queueMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, window->minimised ? 1 : 0), 0);
        return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (platformRecords.focus == handle)
            platformRecords.focus = nullptr;
        if (!window->minimised)
            queueMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        return;
    case SDL_WINDOWEVENT_CLOSE:
        queueMessage(handle, WM_CLOSE, 0, 0);
        return;
    default:
        return;
    }
}

}  // namespace

void queueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG entry{};
    entry.hwnd = window;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    entry.time = SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 ? SDL_GetTicks() : 0;
    entry.pt = queue.lastMouse;
    queue.messages.push_back(entry);
}

void forgetMessagesFor(HWND window)
{
    std::erase_if(queue.messages, [window](const MSG& entry) {
        if (entry.hwnd != window)
            return false;
        // A close not yet handled goes to the next window instead.
        if (entry.message == WM_CLOSE)
            queue.quitSignalDelivered = false;
        return true;
    });
}

// SDL_QUIT is left alone: the window's own close event says it all.
void translateSdlEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(event.key);
        return;
    case SDL_MOUSEMOTION:
        translateMouseMotion(event.motion);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateMouseButton(event.button);
        return;
    case SDL_WINDOWEVENT:
        translateWindowEvent(event.window);
        return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        translateGamepadEvent(event);
        return;
    default:
        return;
    }
}

void translatePendingSdlEvents()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        translateSdlEvent(event);
}

void dispatchWaitingMessages()
{
    for (;;) {
        auto next = std::find_if(queue.messages.begin(), queue.messages.end(),
                                 [](const MSG& entry) { return entry.message != WM_QUIT; });
        if (next == queue.messages.end())
            return;
        const MSG message = *next;
        queue.messages.erase(next);
        DispatchMessageA(&message);
    }
}

bool waitForSdlEvent(SDL_Event& event)
{
    while (!quitSignalArrived() || queue.quitSignalDelivered) {
        if (SDL_WaitEventTimeout(&event, static_cast<int>(signalCheckMilliseconds)) != 0)
            return true;
    }
    return false;
}

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    translatePendingSdlEvents();
    deliverQuitSignal();
    for (auto entry = queue.messages.begin(); entry != queue.messages.end(); ++entry) {
        if (!matchesFilter(*entry, window, filterMin, filterMax))
            continue;
        if (message != nullptr)
            *message = *entry;
        if ((removeFlags & PM_REMOVE) != 0)
            queue.messages.erase(entry);
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->message == WM_QUIT)
        return 0;
    return sendWindowMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && findWindow(window) == nullptr)
        return FALSE;
    queueMessage(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    queueMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

BOOL WaitMessage()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return queue.messages.empty() ? FALSE : TRUE;
    translatePendingSdlEvents();
    // Events that make no message (a wheel turn, a key with no code) do not
    // end the wait; a quit signal does.
    while (queue.messages.empty()) {
        SDL_Event event;
        if (!waitForSdlEvent(event)) {
            deliverQuitSignal();
            return queue.messages.empty() ? FALSE : TRUE;
        }
        translateSdlEvent(event);
    }
    return TRUE;
}
