// Window classes, windows, device contexts, pixel formats, OpenGL
// rendering contexts and the paced buffer swap, on SDL windows and GL.
#include "platform/window.h"

#include "platform/frame_pacing.h"
#include "platform/game_files.h"
#include "platform/heap.h"
#include "platform/platform_state.h"
#include "platform/probes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <strings.h>

// The objects behind the fixed handles; nobody looks inside them.
struct PlatformModule {
    int unused;
};
struct PlatformIcon {
    int unused;
};
struct PlatformCursor {
    int unused;
};

PlatformRecords platformRecords;

namespace {

struct ClassRecord {
    std::string name;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
};

// What the next window's GL visual is made from: X11 fixes the visual when
// the window is created, so the descriptor the game passed last counts.
PIXELFORMATDESCRIPTOR defaultDescriptor()
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 16;
    descriptor.cDepthBits = 16;
    return descriptor;
}

// The one format a window offers: the visual it was created with.
constexpr int windowPixelFormat = 1;

struct WindowingRecord {
    std::vector<ClassRecord> classes;
    WORD lastAtom = 0;
    PIXELFORMATDESCRIPTOR requested = defaultDescriptor();
    std::int64_t frameDeadline = 0;
};

WindowingRecord windowing;

PlatformModule moduleObject{};
PlatformIcon gameIcon{};
PlatformCursor arrowCursor{};

ClassRecord* findClass(LPCSTR name)
{
    if (name == nullptr)
        return nullptr;
    for (auto& entry : windowing.classes) {
        if (strcasecmp(entry.name.c_str(), name) == 0)
            return &entry;
    }
    return nullptr;
}

ContextRecord* findContext(HGLRC context)
{
    if (context == nullptr)
        return nullptr;
    for (auto& entry : platformRecords.contexts) {
        if (entry.handle == context)
            return &entry;
    }
    return nullptr;
}

void setGlAttributes(const PIXELFORMATDESCRIPTOR& descriptor)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (descriptor.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
    const bool highColour = descriptor.cColorBits > 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, highColour ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, highColour ? 8 : 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, highColour ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, descriptor.cAlphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, descriptor.cDepthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, descriptor.cStencilBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, descriptor.cAccumRedBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, descriptor.cAccumGreenBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, descriptor.cAccumBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, descriptor.cAccumAlphaBits);
}

void setGameIcon(SDL_Window* window)
{
    SDL_Surface* icon = SDL_LoadBMP(gameFilePath("Data/icon.bmp").c_str());
    if (icon == nullptr)
        return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

std::int64_t monotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void sleepUntil(std::int64_t deadline)
{
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline / 1'000'000'000);
    until.tv_nsec = static_cast<long>(deadline % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

void releaseCurrentContext()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_GL_MakeCurrent(nullptr, nullptr);
    platformRecords.currentContext = nullptr;
    platformRecords.currentWindow = nullptr;
}

}  // namespace

std::uintptr_t newHandleNumber() { return ++platformRecords.lastHandle; }

WindowRecord* findWindow(HWND window)
{
    if (window == nullptr)
        return nullptr;
    for (const auto& entry : platformRecords.windows) {
        if (entry->handle == window)
            return entry.get();
    }
    return nullptr;
}

WindowRecord* findWindowByDeviceContext(HDC deviceContext)
{
    if (deviceContext == nullptr)
        return nullptr;
    for (const auto& entry : platformRecords.windows) {
        if (entry->deviceContext == deviceContext)
            return entry.get();
    }
    return nullptr;
}

WindowRecord* findWindowBySdlId(Uint32 sdlId)
{
    for (const auto& entry : platformRecords.windows) {
        if (entry->sdlId == sdlId)
            return entry.get();
    }
    return nullptr;
}

LRESULT sendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowRecord* record = findWindow(window);
    if (record == nullptr || record->procedure == nullptr)
        return 0;
    const WNDPROC procedure = record->procedure;
    return procedure(window, message, wParam, lParam);
}

void applySwapInterval()
{
    if (platformRecords.currentContext == nullptr || SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    // Refusal is fine (Xvfb refuses): the deadline in SwapBuffers paces alone.
    SDL_GL_SetSwapInterval(probes::framePacing() ? 1 : 0);
}

void restartFramePacing() { windowing.frameDeadline = 0; }

std::string minimiseGameWindow()
{
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_MINIMIZED;
    event.window.windowID = window != nullptr ? SDL_GetWindowID(window) : 0;
    if (SDL_PushEvent(&event) < 0)
        return SDL_GetError();
    return "";
}

HINSTANCE GetModuleHandleA(LPCSTR moduleName)
{
    return moduleName == nullptr ? &moduleObject : nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR iconName)
{
    if (iconName != nullptr && std::strcmp(iconName, IDI_WINLOGO) == 0)
        return &gameIcon;
    return nullptr;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR cursorName)
{
    if (cursorName != nullptr && std::strcmp(cursorName, IDC_ARROW) == 0)
        return &arrowCursor;
    return nullptr;
}

WORD RegisterClassA(const WNDCLASSA* windowClass)
{
    if (probes::callFails(PlatformCall::RegisterClass, "RegisterClassA"))
        return 0;
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpfnWndProc == nullptr)
        return 0;
    if (findClass(windowClass->lpszClassName) != nullptr)
        return 0;
    if (!platformVideoReady())
        return 0;
    ClassRecord entry;
    entry.name = windowClass->lpszClassName;
    entry.procedure = windowClass->lpfnWndProc;
    entry.instance = windowClass->hInstance;
    entry.icon = windowClass->hIcon;
    windowing.classes.push_back(entry);
    if (++windowing.lastAtom == 0)
        ++windowing.lastAtom;
    return windowing.lastAtom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (probes::callFails(PlatformCall::UnregisterClass, "UnregisterClassA"))
        return FALSE;
    const ClassRecord* entry = findClass(className);
    if (entry == nullptr)
        return FALSE;
    for (const auto& window : platformRecords.windows) {
        if (strcasecmp(window->className.c_str(), entry->name.c_str()) == 0)
            return FALSE;  // a class with windows stays, as on Windows
    }
    windowing.classes.erase(windowing.classes.begin() + (entry - windowing.classes.data()));
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) { return rect != nullptr ? TRUE : FALSE; }

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    if (probes::callFails(PlatformCall::CreateWindow, "CreateWindowExA"))
        return nullptr;
    const ClassRecord* windowClass = findClass(className);
    if (windowClass == nullptr || !platformVideoReady())
        return nullptr;

    const SDL_DisplayMode* mode = acceptedFullscreenMode();
    const bool popup = (style & WS_POPUP) != 0;
    const bool fullscreen = popup && mode != nullptr;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    int windowWidth = std::max(width, 1);
    int windowHeight = std::max(height, 1);
    if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN;
        windowWidth = mode->w;
        windowHeight = mode->h;
    } else if (popup) {
        flags |= SDL_WINDOW_BORDERLESS;
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }

    const char* windowTitle = title != nullptr ? title : "";
    setGlAttributes(windowing.requested);
    SDL_Window* sdlWindow = SDL_CreateWindow(windowTitle, x, y, windowWidth, windowHeight, flags);
    if (sdlWindow == nullptr) {
        // The driver has no visual for the request: take the one it has.
        setGlAttributes(defaultDescriptor());
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
        sdlWindow = SDL_CreateWindow(windowTitle, x, y, windowWidth, windowHeight, flags);
        if (sdlWindow == nullptr)
            return nullptr;
    }
    if (fullscreen)
        SDL_SetWindowDisplayMode(sdlWindow, mode);
    if (windowClass->icon == &gameIcon)
        setGameIcon(sdlWindow);

    auto record = std::make_unique<WindowRecord>();
    record->handle = reinterpret_cast<HWND>(newHandleNumber());
    record->deviceContext = reinterpret_cast<HDC>(newHandleNumber());
    record->sdlWindow = sdlWindow;
    record->sdlId = SDL_GetWindowID(sdlWindow);
    record->className = windowClass->name;
    record->procedure = windowClass->procedure;
    record->fullscreen = fullscreen;
    int clientWidth = 0;
    int clientHeight = 0;
    SDL_GL_GetDrawableSize(sdlWindow, &clientWidth, &clientHeight);
    record->sizeSentWidth = clientWidth;
    record->sizeSentHeight = clientHeight;
    const HWND handle = record->handle;
    platformRecords.windows.push_back(std::move(record));

    // Windows sizes a new window before CreateWindowEx returns.
    sendWindowMessage(handle, WM_SIZE, 0,
                      MAKELPARAM(static_cast<WORD>(clientWidth), static_cast<WORD>(clientHeight)));
    return handle;
}

BOOL DestroyWindow(HWND window)
{
    // A failure asked for by a test still destroys: nothing may leak.
    const bool failing = probes::callFails(PlatformCall::DestroyWindow, "DestroyWindow");
    WindowRecord* record = findWindow(window);
    if (record == nullptr)
        return FALSE;
    if (platformRecords.currentWindow == window)
        releaseCurrentContext();
    if (platformRecords.focus == window)
        platformRecords.focus = nullptr;
    forgetMessagesFor(window);
    SDL_DestroyWindow(record->sdlWindow);
    auto& windows = platformRecords.windows;
    windows.erase(std::find_if(windows.begin(), windows.end(),
                               [record](const auto& entry) { return entry.get() == record; }));
    // Its buffers were megabytes: given back, they cannot pile up over the
    // full-screen toggles.
    giveBackFreedMemory();
    return failing ? FALSE : TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    probes::logCall("ShowWindow");
    WindowRecord* record = findWindow(window);
    if (record == nullptr)
        return FALSE;
    const bool wasVisible = (SDL_GetWindowFlags(record->sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    if (command == 0)
        SDL_HideWindow(record->sdlWindow);
    else
        SDL_ShowWindow(record->sdlWindow);
    return wasVisible ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND window)
{
    WindowRecord* record = findWindow(window);
    if (record == nullptr)
        return FALSE;
    SDL_RaiseWindow(record->sdlWindow);
    return TRUE;
}

HWND SetFocus(HWND window)
{
    const HWND previous = platformRecords.focus;
    if (window == nullptr) {
        platformRecords.focus = nullptr;
        return previous;
    }
    WindowRecord* record = findWindow(window);
    if (record == nullptr)
        return nullptr;
    if ((SDL_GetWindowFlags(record->sdlWindow) & SDL_WINDOW_SHOWN) != 0)
        SDL_SetWindowInputFocus(record->sdlWindow);
    platformRecords.focus = window;
    return previous;
}

HWND GetFocus() { return platformRecords.focus; }

BOOL GetClientRect(HWND window, RECT* rect)
{
    WindowRecord* record = findWindow(window);
    if (record == nullptr || rect == nullptr)
        return FALSE;
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(record->sdlWindow, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

HDC GetDC(HWND window)
{
    if (probes::callFails(PlatformCall::GetDC, "GetDC"))
        return nullptr;
    WindowRecord* record = findWindow(window);
    return record != nullptr ? record->deviceContext : nullptr;
}

int ReleaseDC(HWND window, HDC deviceContext)
{
    // The class's own DC lives as long as its window: nothing to release.
    if (probes::callFails(PlatformCall::ReleaseDC, "ReleaseDC"))
        return 0;
    const WindowRecord* record = findWindowByDeviceContext(deviceContext);
    return record != nullptr && record->handle == window ? 1 : 0;
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor)
{
    if (probes::callFails(PlatformCall::ChoosePixelFormat, "ChoosePixelFormat"))
        return 0;
    if (findWindowByDeviceContext(deviceContext) == nullptr || descriptor == nullptr)
        return 0;
    windowing.requested = *descriptor;
    return windowPixelFormat;
}

BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR* descriptor)
{
    if (probes::callFails(PlatformCall::SetPixelFormat, "SetPixelFormat"))
        return FALSE;
    WindowRecord* record = findWindowByDeviceContext(deviceContext);
    if (record == nullptr || format != windowPixelFormat || record->pixelFormat != 0)
        return FALSE;
    if (descriptor != nullptr)
        windowing.requested = *descriptor;
    record->pixelFormat = format;
    return TRUE;
}

HGLRC wglCreateContext(HDC deviceContext)
{
    if (probes::callFails(PlatformCall::CreateContext, "wglCreateContext"))
        return nullptr;
    const WindowRecord* record = findWindowByDeviceContext(deviceContext);
    if (record == nullptr || record->pixelFormat == 0)
        return nullptr;
    SDL_GLContext glContext = takeSpareContext(record->sdlWindow);
    if (glContext == nullptr) {
        glContext = SDL_GL_CreateContext(record->sdlWindow);
        if (glContext != nullptr)
            rememberFreshState();
    }
    // SDL makes a new context current; WGL does not, so put back what was.
    const WindowRecord* current = findWindow(platformRecords.currentWindow);
    const ContextRecord* currentContext = findContext(platformRecords.currentContext);
    if (current != nullptr && currentContext != nullptr)
        SDL_GL_MakeCurrent(current->sdlWindow, currentContext->glContext);
    else
        SDL_GL_MakeCurrent(nullptr, nullptr);
    if (glContext == nullptr)
        return nullptr;
    ContextRecord entry;
    entry.handle = reinterpret_cast<HGLRC>(newHandleNumber());
    entry.glContext = glContext;
    platformRecords.contexts.push_back(entry);
    return entry.handle;
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext)
{
    if (renderingContext == nullptr) {
        if (probes::callFails(PlatformCall::ReleaseCurrent, "wglMakeCurrent"))
            return FALSE;
        releaseCurrentContext();
        return TRUE;
    }
    if (probes::callFails(PlatformCall::MakeCurrent, "wglMakeCurrent"))
        return FALSE;
    const WindowRecord* record = findWindowByDeviceContext(deviceContext);
    const ContextRecord* context = findContext(renderingContext);
    if (record == nullptr || context == nullptr || record->pixelFormat == 0)
        return FALSE;
    if (SDL_GL_MakeCurrent(record->sdlWindow, context->glContext) != 0)
        return FALSE;
    platformRecords.currentContext = renderingContext;
    platformRecords.currentWindow = record->handle;
    applySwapInterval();
    return TRUE;
}

BOOL wglDeleteContext(HGLRC renderingContext)
{
    // A failure asked for by a test still deletes: nothing may leak.
    const bool failing = probes::callFails(PlatformCall::DeleteContext, "wglDeleteContext");
    ContextRecord* context = findContext(renderingContext);
    if (context == nullptr)
        return FALSE;
    if (platformRecords.currentContext == renderingContext)
        releaseCurrentContext();
    keepOrDeleteContext(context->glContext);
    auto& contexts = platformRecords.contexts;
    contexts.erase(contexts.begin() + (context - contexts.data()));
    return failing ? FALSE : TRUE;
}

HGLRC wglGetCurrentContext() { return platformRecords.currentContext; }

BOOL SwapBuffers(HDC deviceContext)
{
    // The frame was drawn even when there is no window left to show it.
    frameEnded();
    const WindowRecord* record = findWindowByDeviceContext(deviceContext);
    if (record == nullptr) {
        probes::afterSwap();
        return FALSE;
    }
    SDL_GL_SwapWindow(record->sdlWindow);
    if (probes::framePacing()) {
        const std::int64_t now = monotonicNow();
        windowing.frameDeadline = nextFrameDeadline(windowing.frameDeadline, now);
        if (windowing.frameDeadline > now)
            sleepUntil(windowing.frameDeadline);
    }
    probes::afterSwap();
    return TRUE;
}
