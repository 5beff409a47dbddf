// What the platform files share among themselves: the records behind the
// window, device-context and rendering-context handles, and the few calls
// one service makes into another. Game code never includes this header.
#pragma once

#include "platform/win32.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

// Handles are numbers the game only passes back to us; a handle that was
// released is never handed out again, so a stale one finds no record.
struct WindowRecord {
    HWND handle = nullptr;
    HDC deviceContext = nullptr;  // the class's own DC: one per window, for its lifetime
    SDL_Window* sdlWindow = nullptr;
    Uint32 sdlId = 0;
    std::string className;
    WNDPROC procedure = nullptr;
    bool fullscreen = false;
    bool minimised = false;
    int pixelFormat = 0;  // 0 until SetPixelFormat
    int sizeSentWidth = -1;
    int sizeSentHeight = -1;
};

struct ContextRecord {
    HGLRC handle = nullptr;
    SDL_GLContext glContext = nullptr;
};

struct PlatformRecords {
    std::vector<std::unique_ptr<WindowRecord>> windows;
    std::vector<ContextRecord> contexts;
    HGLRC currentContext = nullptr;
    HWND currentWindow = nullptr;
    HWND focus = nullptr;
    std::uintptr_t lastHandle = 0;
};

extern PlatformRecords platformRecords;

std::uintptr_t newHandleNumber();
WindowRecord* findWindow(HWND window);
WindowRecord* findWindowByDeviceContext(HDC deviceContext);
WindowRecord* findWindowBySdlId(Uint32 sdlId);

// display.cpp: SDL video, started on first need and tried once.
bool platformVideoReady();
// Before any SDL subsystem starts: signals keep their usual effect.
void keepSignalsAlone();
// The mode accepted by the last successful ChangeDisplaySettingsA, or null.
const SDL_DisplayMode* acceptedFullscreenMode();

// window.cpp: the window procedure of a window, called at once.
LRESULT sendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Swap interval for the current context: 1 while frames are paced, else 0.
void applySwapInterval();
void restartFramePacing();

// cursor.cpp: the cursor display counter, read without changing it.
int cursorDisplayCount();

// quit_signals.cpp: whether SIGTERM, SIGINT or SIGHUP has come.
bool quitSignalArrived();

// spare_context.cpp: a deleted context is kept for the next window.
// With a newly created context current: remember its state as the fresh one.
void rememberFreshState();
// The kept context, current on `window` and as fresh as a new one; null when
// none is kept or it does not fit the window.
SDL_GLContext takeSpareContext(SDL_Window* window);
// Kept if no other is, otherwise deleted. It must not be current.
void keepOrDeleteContext(SDL_GLContext context);

// messages.cpp
void queueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void forgetMessagesFor(HWND window);
// The window keys go to: the one with the focus or, with none (the player
// switched away, or a window was just rebuilt), the game's newest; null
// while the game has no window.
HWND keyboardWindow();
// The game's loop has drawn a frame, which saw every key and button down
// that it was given: their releases, held back until now, may go out.
void frameEnded();
void translateSdlEvent(const SDL_Event& event);
void translatePendingSdlEvents();
// What a modal loop does: every waiting message but WM_QUIT goes to its
// window procedure; WM_QUIT stays queued for the main loop.
void dispatchWaitingMessages();
// SDL's next event into `event`; false, with no event, when a quit signal
// has come that the game window has not yet been told of (SDL's own wait
// sleeps through signals).
bool waitForSdlEvent(SDL_Event& event);
