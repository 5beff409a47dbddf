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

// What a press or a release moves: a key by its code, or a mouse button.
constexpr int leftButton = 256;
constexpr int rightButton = 257;
constexpr int controlCount = 258;

struct QueueRecord {
    std::deque<MSG> messages;
    // Keys whose press went out as WM_KEYDOWN: their release goes out as
    // WM_KEYUP even when Alt is held by then or their window is gone, so no
    // key sticks in the game.
    std::array<bool, 256> keyDownSent{};
    // Controls whose press the game took since its last frame: their
    // release waits until a frame has seen them down.
    std::array<bool, controlCount> pressUnseen{};
    // A key went up since the last frame: name entry takes a letter on
    // its release, so the frame must see that release before the next key.
    bool keyReleaseUnseen = false;
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

bool isKeyboardOrMouse(UINT message)
{
    return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
           (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP);
}

bool isRelease(UINT message)
{
    return message == WM_KEYUP || message == WM_LBUTTONUP || message == WM_RBUTTONUP;
}

// The control a press or release message moves; -1 for any other message.
int controlOf(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        return message.wParam < 256 ? static_cast<int>(message.wParam) : -1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return leftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return rightButton;
    default:
        return -1;
    }
}

// A release outlives its window: it goes to the window the keyboard
// reaches now, and waits while the game has none.
bool addressed(MSG& message)
{
    if (!isRelease(message.message) || findWindow(message.hwnd) != nullptr)
        return true;
    message.hwnd = keyboardWindow();
    return message.hwnd != nullptr;
}

// The first message that may go out now and that the caller wants. A
// release whose press no frame has seen yet waits for the next frame, and
// every key and mouse message behind it waits with it: a tap is never over
// before a frame has seen it, and the game hears its input in order. The
// same holds behind a key's release: a letter typed quickly after another
// would otherwise take the place of the first before a frame saw it.
template <typename Wanted>
std::deque<MSG>::iterator nextMessage(Wanted wanted)
{
    bool inputWaits = queue.keyReleaseUnseen;
    for (auto entry = queue.messages.begin(); entry != queue.messages.end(); ++entry) {
        if (isKeyboardOrMouse(entry->message)) {
            if (inputWaits)
                continue;
            const int control = controlOf(*entry);
            const bool unseen = control >= 0 && queue.pressUnseen[control];
            if (!addressed(*entry) || (isRelease(entry->message) && unseen)) {
                inputWaits = true;
                continue;
            }
        }
        if (wanted(*entry))
            return entry;
    }
    return queue.messages.end();
}

bool anyMessage()
{
    return nextMessage([](const MSG&) { return true; }) != queue.messages.end();
}

MSG takeMessage(std::deque<MSG>::iterator entry)
{
    const MSG message = *entry;
    queue.messages.erase(entry);
    const int control = controlOf(message);
    if (control >= 0 && !isRelease(message.message))
        queue.pressUnseen[control] = true;
    if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)
        queue.keyReleaseUnseen = true;
    return message;
}

LPARAM positionParameter(Sint32 x, Sint32 y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// SDL reports the mouse in window units; the game draws and picks in the
// drawable's pixels, which a high-density display makes more of.
POINT drawablePoint(const WindowRecord& window, Sint32 x, Sint32 y)
{
    int windowWidth = 0, windowHeight = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(window.sdlWindow, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(window.sdlWindow, &pixelWidth, &pixelHeight);
    if (windowWidth <= 0 || windowHeight <= 0 || pixelWidth == windowWidth)
        return POINT{x, y};
    return POINT{x * pixelWidth / windowWidth, y * pixelHeight / windowHeight};
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
    const bool down = key.type == SDL_KEYDOWN;
    const int code = virtualKeyFromKey(key.keysym.scancode, key.keysym.sym);
    if (code == 0)
        return;
    const WindowRecord* window = eventWindow(key.windowID);
    // SDL lets go of every key when their window is destroyed: a key the
    // game holds goes up in the window it has now (or in its next one).
    if (window == nullptr && (down || !queue.keyDownSent[code]))
        return;
    const bool isAlt = code == VK_MENU;
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
    queueMessage(window != nullptr ? window->handle : nullptr, message,
                 static_cast<WPARAM>(code), 0);
}

// A window of the game gaining the focus: keys the game holds down that
// the keyboard no longer does (let go while the game was not listening, or
// while its window was being rebuilt) go up in it.
void releaseKeysLetGo(HWND window)
{
    std::array<bool, 256> held{};
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int position = 0; position < count; ++position) {
        if (state[position] == 0)
            continue;
        const auto scancode = static_cast<SDL_Scancode>(position);
        held[virtualKeyFromKey(scancode, SDL_GetKeyFromScancode(scancode))] = true;
    }
    for (int code = 0; code < 256; ++code) {
        if (queue.keyDownSent[code] && !held[code]) {
            queue.keyDownSent[code] = false;
            queueMessage(window, WM_KEYUP, static_cast<WPARAM>(code), 0);
        }
    }
}

void translateMouseMotion(const SDL_MouseMotionEvent& motion)
{
    const WindowRecord* window = findWindowBySdlId(motion.windowID);
    if (window == nullptr)
        return;
    queue.lastMouse = drawablePoint(*window, motion.x, motion.y);
    queueMessage(window->handle, WM_MOUSEMOVE, 0,
                 positionParameter(queue.lastMouse.x, queue.lastMouse.y));
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
    queue.lastMouse = drawablePoint(*window, button.x, button.y);
    queueMessage(window->handle, message, 0,
                 positionParameter(queue.lastMouse.x, queue.lastMouse.y));
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
        releaseKeysLetGo(handle);
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

// The releases stay: the game still holds those keys and buttons down, and
// hears them let go in its next window.
void forgetMessagesFor(HWND window)
{
    std::erase_if(queue.messages, [window](const MSG& entry) {
        if (entry.hwnd != window || isRelease(entry.message))
            return false;
        // A close not yet handled goes to the next window instead.
        if (entry.message == WM_CLOSE)
            queue.quitSignalDelivered = false;
        return true;
    });
}

HWND keyboardWindow()
{
    if (findWindow(platformRecords.focus) != nullptr)
        return platformRecords.focus;
    if (platformRecords.windows.empty())
        return nullptr;
    return platformRecords.windows.back()->handle;
}

void frameEnded()
{
    queue.pressUnseen = {};
    queue.keyReleaseUnseen = false;
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
        const auto next =
            nextMessage([](const MSG& entry) { return entry.message != WM_QUIT; });
        if (next == queue.messages.end())
            return;
        const MSG message = takeMessage(next);
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
    const auto entry = nextMessage([=](const MSG& candidate) {
        return matchesFilter(candidate, window, filterMin, filterMax);
    });
    if (entry == queue.messages.end())
        return FALSE;
    const MSG found = (removeFlags & PM_REMOVE) != 0 ? takeMessage(entry) : *entry;
    if (message != nullptr)
        *message = found;
    return TRUE;
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
    // A loop that waits draws no frame: the pass that brought it here was
    // its look at the input, so the releases held back for a frame may go.
    frameEnded();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return anyMessage() ? TRUE : FALSE;
    translatePendingSdlEvents();
    // Events that make no message (a wheel turn, a key with no code) do not
    // end the wait; a quit signal does.
    while (!anyMessage()) {
        SDL_Event event;
        if (!waitForSdlEvent(event)) {
            deliverQuitSignal();
            return anyMessage() ? TRUE : FALSE;
        }
        translateSdlEvent(event);
    }
    return TRUE;
}
