// What the platform files share among themselves: the records behind the
// window, device-context and rendering-context handles, and the few calls
// one service makes into another. Game code never includes this header.
#pragma once

#include "platform/hook_targets.h"
#include "platform/message_queue.h"
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

// spare_context.cpp: a deleted context is kept for the next window.
// With a newly created context current: remember its state as the fresh one.
void rememberFreshState();
// The kept context, current on `window` and as fresh as a new one; null when
// none is kept or it does not fit the window.
SDL_GLContext takeSpareContext(SDL_Window* window);
// Kept if no other is, otherwise deleted. It must not be current.
void keepOrDeleteContext(SDL_GLContext context);

// messages.cpp: SDL's events into the message queue.
void translateSdlEvent(const SDL_Event& event);
void translatePendingSdlEvents();
// SDL's next event into `event`; false, with no event, when a quit signal
// has come that the game window has not yet been told of (SDL's own wait
// sleeps through signals).
bool waitForSdlEvent(SDL_Event& event);
