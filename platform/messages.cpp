// SDL's events turned into the window messages the game's window procedure
// understands, put into the shared message queue (message_queue.cpp).
#include "platform/messages.h"

#include "platform/gamepad.h"
#include "platform/keymap.h"
#include "platform/platform_state.h"

#include <array>

namespace {

// How often a wait looks up from SDL's queue for a quit signal.
constexpr Uint32 signalCheckMilliseconds = 250;

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
    const int code = virtualKeyFromKey(key.keysym.scancode, key.keysym.sym);
    const WindowRecord* window = eventWindow(key.windowID);
    queueKey(window != nullptr ? window->handle : nullptr, code, key.type == SDL_KEYDOWN,
             (key.keysym.mod & KMOD_ALT) != 0);
}

// A window of the game gaining the focus: keys the game holds down that
// the keyboard no longer does (let go while the game was not listening, or
// while its window was being rebuilt) go up in it.
void releaseKeysLetGoIn(HWND window)
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
    releaseKeysLetGo(window, held);
}

void translateMouseMotion(const SDL_MouseMotionEvent& motion)
{
    const WindowRecord* window = findWindowBySdlId(motion.windowID);
    if (window == nullptr)
        return;
    const POINT at = drawablePoint(*window, motion.x, motion.y);
    noteMouse(at);
    queueMessage(window->handle, WM_MOUSEMOVE, 0, positionParameter(at.x, at.y));
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
    const POINT at = drawablePoint(*window, button.x, button.y);
    noteMouse(at);
    queueMessage(window->handle, message, 0, positionParameter(at.x, at.y));
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
        releaseKeysLetGoIn(handle);
        return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (platformRecords.focus == handle)
            platformRecords.focus = nullptr;
        if (!window->minimised)
            queueMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        return;
    case SDL_WINDOWEVENT_CLOSE: queueMessage(handle, WM_CLOSE, 0, 0); return;
    default: return;
    }
}

}  // namespace

void pumpSystemEvents() { translatePendingSdlEvents(); }

bool isGameWindow(HWND window) { return findWindow(window) != nullptr; }

HWND keyboardWindow()
{
    if (findWindow(platformRecords.focus) != nullptr)
        return platformRecords.focus;
    if (platformRecords.windows.empty())
        return nullptr;
    return platformRecords.windows.back()->handle;
}

HWND windowToClose()
{
    for (const auto& window : platformRecords.windows) {
        if (window->procedure != nullptr)
            return window->handle;
    }
    return nullptr;
}

DWORD messageTime()
{
    return SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 ? SDL_GetTicks() : 0;
}

// SDL_QUIT is left alone: the window's own close event says it all.
void translateSdlEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(event.key); return;
    case SDL_MOUSEMOTION: translateMouseMotion(event.motion); return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translateMouseButton(event.button); return;
    case SDL_WINDOWEVENT: translateWindowEvent(event.window); return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: translateGamepadEvent(event); return;
    default: return;
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

bool waitForSdlEvent(SDL_Event& event)
{
    while (!quitSignalArrived() || quitSignalDelivered()) {
        if (SDL_WaitEventTimeout(&event, static_cast<int>(signalCheckMilliseconds)) != 0)
            return true;
    }
    return false;
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
