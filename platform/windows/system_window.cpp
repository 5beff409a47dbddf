// Windows, device contexts, pixel formats, WGL contexts, the message pump,
// the display mode, the cursor, message boxes and the clock, on Win32.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "platform/windows/system.h"

#include <cstring>

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the game's descriptor is Win32's");

namespace {

LRESULT CALLBACK systemProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::intptr_t result = 0;
    if (windowMessage(window, message, wParam, lParam, result))
        return static_cast<LRESULT>(result);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND asWindow(sys::Handle handle) { return static_cast<HWND>(handle); }
HDC asDeviceContext(sys::Handle handle) { return static_cast<HDC>(handle); }
HGLRC asContext(sys::Handle handle) { return static_cast<HGLRC>(handle); }

std::int64_t counterFrequency()
{
    static const std::int64_t frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return static_cast<std::int64_t>(value.QuadPart);
    }();
    return frequency;
}

}  // namespace

namespace sys {

Handle moduleHandle() { return GetModuleHandleA(nullptr); }

bool registerClass(const char* name, unsigned style)
{
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = systemProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));      // IDI_WINLOGO
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

bool unregisterClass(const char* name)
{
    return UnregisterClassA(name, GetModuleHandleA(nullptr)) != 0;
}

Handle createWindow(unsigned long exStyle, const char* className, const char* title,
                    unsigned long style, int x, int y, int width, int height)
{
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

bool destroyWindow(Handle window) { return DestroyWindow(asWindow(window)) != 0; }

bool showWindow(Handle window, int command) { return ShowWindow(asWindow(window), command) != 0; }

bool setForegroundWindow(Handle window) { return SetForegroundWindow(asWindow(window)) != 0; }

Handle setFocus(Handle window) { return SetFocus(asWindow(window)); }

Handle getFocus() { return GetFocus(); }

bool clientSize(Handle window, int& width, int& height)
{
    RECT rect{};
    if (!GetClientRect(asWindow(window), &rect))
        return false;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    return true;
}

bool adjustWindowRect(long& left, long& top, long& right, long& bottom, unsigned long style,
                      bool hasMenu, unsigned long exStyle)
{
    RECT rect{left, top, right, bottom};
    if (!AdjustWindowRectEx(&rect, style, hasMenu ? TRUE : FALSE, exStyle))
        return false;
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
    return true;
}

Handle getDC(Handle window) { return GetDC(asWindow(window)); }

bool releaseDC(Handle window, Handle deviceContext)
{
    return ReleaseDC(asWindow(window), asDeviceContext(deviceContext)) != 0;
}

int choosePixelFormat(Handle deviceContext, const void* descriptor)
{
    PIXELFORMATDESCRIPTOR request{};
    std::memcpy(&request, descriptor, sizeof request);
    return ChoosePixelFormat(asDeviceContext(deviceContext), &request);
}

bool setPixelFormat(Handle deviceContext, int format, const void* descriptor)
{
    PIXELFORMATDESCRIPTOR request{};
    if (descriptor != nullptr)
        std::memcpy(&request, descriptor, sizeof request);
    return SetPixelFormat(asDeviceContext(deviceContext), format, &request) != 0;
}

Handle createContext(Handle deviceContext)
{
    return wglCreateContext(asDeviceContext(deviceContext));
}

bool makeCurrent(Handle deviceContext, Handle context)
{
    return wglMakeCurrent(asDeviceContext(deviceContext), asContext(context)) != 0;
}

bool deleteContext(Handle context) { return wglDeleteContext(asContext(context)) != 0; }

Handle currentContext() { return wglGetCurrentContext(); }

bool swapBuffers(Handle deviceContext) { return SwapBuffers(asDeviceContext(deviceContext)) != 0; }

void setSwapInterval(int interval)
{
    using SwapInterval = BOOL(WINAPI*)(int);
    const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
    if (found == nullptr)
        return;
    SwapInterval setInterval = nullptr;
    std::memcpy(&setInterval, &found, sizeof setInterval);
    setInterval(interval);
}

void pumpMessages()
{
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Nobody posts a quit to the system's queue: the game keeps its own.
        if (message.message == WM_QUIT)
            continue;
        DispatchMessageA(&message);
    }
}

void waitForMessage(unsigned milliseconds)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

unsigned long tickCount() { return GetTickCount(); }

bool keyIsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

unsigned scanCodeOf(int virtualKey)
{
    return MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC_EX);
}

long changeDisplay(bool restore, unsigned long fields, unsigned long width, unsigned long height,
                   unsigned long bits, unsigned long flags)
{
    if (restore)
        return ChangeDisplaySettingsA(nullptr, flags);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = fields;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bits;
    return ChangeDisplaySettingsA(&mode, flags);
}

int showCursor(bool show) { return ShowCursor(show ? TRUE : FALSE); }

int messageBox(Handle owner, const char* text, const char* caption, unsigned style)
{
    return MessageBoxA(asWindow(owner), text, caption, style);
}

std::int64_t monotonicNanoseconds()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const std::int64_t frequency = counterFrequency();
    const std::int64_t ticks = static_cast<std::int64_t>(now.QuadPart);
    return ticks / frequency * 1'000'000'000 + ticks % frequency * 1'000'000'000 / frequency;
}

void sleepUntil(std::int64_t deadline)
{
    // Sleep's granularity is a millisecond at best, and that only once asked
    // for: sleep most of the wait, then give up the processor until the
    // moment itself.
    static const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fineTimer;
    for (;;) {
        const std::int64_t left = deadline - monotonicNanoseconds();
        if (left <= 0)
            return;
        if (left > 2'000'000)
            Sleep(static_cast<DWORD>(left / 1'000'000 - 1));
        else
            SwitchToThread();
    }
}

}  // namespace sys
