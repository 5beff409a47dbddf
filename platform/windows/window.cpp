// Window classes, windows, device contexts, pixel formats, WGL contexts and
// the paced buffer swap, on the real Win32 and WGL calls: the handles the
// game holds are the system's own.
#include "platform/window.h"

#include "platform/frame_pacing.h"
#include "platform/hook_targets.h"
#include "platform/message_queue.h"
#include "platform/probes.h"
#include "platform/windows/system.h"
#include "platform/windows/window_records.h"

#include <algorithm>
#include <cstring>
#include <string>

struct PlatformIcon {
    int unused;
};
struct PlatformCursor {
    int unused;
};

WindowRecords windowRecords;

namespace {

struct ClassEntry {
    std::string name;
    WNDPROC procedure = nullptr;
};

struct WindowingRecord {
    std::vector<ClassEntry> classes;
    std::int64_t frameDeadline = 0;
};

WindowingRecord windowing;

PlatformIcon gameIcon{};
PlatformCursor arrowCursor{};

bool sameName(const std::string& a, const char* b)
{
    if (b == nullptr || a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

ClassEntry* findClass(LPCSTR name)
{
    for (auto& entry : windowing.classes) {
        if (sameName(entry.name, name))
            return &entry;
    }
    return nullptr;
}

template <typename Handle>
Handle fromSystem(sys::Handle handle)
{
    return static_cast<Handle>(handle);
}

}  // namespace

WindowEntry* findWindowEntry(HWND window)
{
    if (window == nullptr)
        return nullptr;
    for (auto& entry : windowRecords.windows) {
        if (entry.handle == window)
            return &entry;
    }
    return nullptr;
}

HINSTANCE GetModuleHandleA(LPCSTR moduleName)
{
    return moduleName == nullptr ? fromSystem<HINSTANCE>(sys::moduleHandle()) : nullptr;
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
        windowClass->lpfnWndProc == nullptr || findClass(windowClass->lpszClassName) != nullptr)
        return 0;
    if (!sys::registerClass(windowClass->lpszClassName, windowClass->style))
        return 0;
    windowing.classes.push_back(ClassEntry{windowClass->lpszClassName, windowClass->lpfnWndProc});
    return static_cast<WORD>(windowing.classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (probes::callFails(PlatformCall::UnregisterClass, "UnregisterClassA"))
        return FALSE;
    const ClassEntry* entry = findClass(className);
    if (entry == nullptr || !sys::unregisterClass(className))
        return FALSE;
    windowing.classes.erase(windowing.classes.begin() + (entry - windowing.classes.data()));
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle)
{
    if (rect == nullptr)
        return FALSE;
    long left = rect->left, top = rect->top, right = rect->right, bottom = rect->bottom;
    if (!sys::adjustWindowRect(left, top, right, bottom, style, hasMenu != FALSE, exStyle))
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    if (probes::callFails(PlatformCall::CreateWindow, "CreateWindowExA"))
        return nullptr;
    const ClassEntry* windowClass = findClass(className);
    if (windowClass == nullptr)
        return nullptr;
    // The system sizes the window, and so sends it WM_SIZE, before it
    // returns: the window is known by its procedure meanwhile.
    windowRecords.procedureBeingCreated = windowClass->procedure;
    const HWND window = fromSystem<HWND>(sys::createWindow(exStyle, windowClass->name.c_str(),
                                                           title != nullptr ? title : "", style, x,
                                                           y, width, height));
    windowRecords.procedureBeingCreated = nullptr;
    if (window != nullptr && findWindowEntry(window) == nullptr)
        windowRecords.windows.push_back(WindowEntry{window, windowClass->procedure});
    return window;
}

BOOL DestroyWindow(HWND window)
{
    // A failure asked for by a test still destroys: nothing may leak.
    const bool failing = probes::callFails(PlatformCall::DestroyWindow, "DestroyWindow");
    WindowEntry* entry = findWindowEntry(window);
    if (entry == nullptr)
        return FALSE;
    // Forgotten first: what the system sends a window while it goes is not
    // the game's to hear.
    windowRecords.windows.erase(windowRecords.windows.begin() +
                                (entry - windowRecords.windows.data()));
    if (windowRecords.focus == window)
        windowRecords.focus = nullptr;
    const bool destroyed = sys::destroyWindow(window);
    forgetMessagesFor(window);
    return destroyed && !failing ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command)
{
    probes::logCall("ShowWindow");
    return sys::showWindow(window, command) ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND window) { return sys::setForegroundWindow(window) ? TRUE : FALSE; }

HWND SetFocus(HWND window)
{
    const HWND previous = fromSystem<HWND>(sys::setFocus(window));
    if (findWindowEntry(window) != nullptr)
        windowRecords.focus = window;
    return previous;
}

HWND GetFocus() { return fromSystem<HWND>(sys::getFocus()); }

BOOL GetClientRect(HWND window, RECT* rect)
{
    int width = 0;
    int height = 0;
    if (rect == nullptr || !sys::clientSize(window, width, height))
        return FALSE;
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

HDC GetDC(HWND window)
{
    if (probes::callFails(PlatformCall::GetDC, "GetDC"))
        return nullptr;
    return fromSystem<HDC>(sys::getDC(window));
}

int ReleaseDC(HWND window, HDC deviceContext)
{
    if (probes::callFails(PlatformCall::ReleaseDC, "ReleaseDC"))
        return 0;
    return sys::releaseDC(window, deviceContext) ? 1 : 0;
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor)
{
    if (probes::callFails(PlatformCall::ChoosePixelFormat, "ChoosePixelFormat"))
        return 0;
    if (descriptor == nullptr)
        return 0;
    return sys::choosePixelFormat(deviceContext, descriptor);
}

BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR* descriptor)
{
    if (probes::callFails(PlatformCall::SetPixelFormat, "SetPixelFormat"))
        return FALSE;
    return sys::setPixelFormat(deviceContext, format, descriptor) ? TRUE : FALSE;
}

HGLRC wglCreateContext(HDC deviceContext)
{
    if (probes::callFails(PlatformCall::CreateContext, "wglCreateContext"))
        return nullptr;
    return fromSystem<HGLRC>(sys::createContext(deviceContext));
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext)
{
    if (renderingContext == nullptr) {
        if (probes::callFails(PlatformCall::ReleaseCurrent, "wglMakeCurrent"))
            return FALSE;
        return sys::makeCurrent(nullptr, nullptr) ? TRUE : FALSE;
    }
    if (probes::callFails(PlatformCall::MakeCurrent, "wglMakeCurrent"))
        return FALSE;
    if (!sys::makeCurrent(deviceContext, renderingContext))
        return FALSE;
    applySwapInterval();
    return TRUE;
}

BOOL wglDeleteContext(HGLRC renderingContext)
{
    const bool failing = probes::callFails(PlatformCall::DeleteContext, "wglDeleteContext");
    if (renderingContext == nullptr)
        return FALSE;
    if (sys::currentContext() == renderingContext)
        sys::makeCurrent(nullptr, nullptr);
    return sys::deleteContext(renderingContext) && !failing ? TRUE : FALSE;
}

HGLRC wglGetCurrentContext() { return fromSystem<HGLRC>(sys::currentContext()); }

void applySwapInterval()
{
    if (sys::currentContext() != nullptr)
        sys::setSwapInterval(probes::framePacing() ? 1 : 0);
}

void restartFramePacing() { windowing.frameDeadline = 0; }

std::string minimiseGameWindow()
{
    if (windowRecords.windows.empty())
        return "no game window";
    sys::showWindow(windowRecords.windows.back().handle, SW_MINIMIZE);
    return "";
}

BOOL SwapBuffers(HDC deviceContext)
{
    // The frame was drawn even when there is no window left to show it.
    frameEnded();
    if (deviceContext == nullptr || !sys::swapBuffers(deviceContext)) {
        probes::afterSwap();
        return FALSE;
    }
    if (probes::framePacing()) {
        const std::int64_t now = sys::monotonicNanoseconds();
        windowing.frameDeadline = nextFrameDeadline(windowing.frameDeadline, now);
        if (windowing.frameDeadline > now)
            sys::sleepUntil(windowing.frameDeadline);
    }
    probes::afterSwap();
    return TRUE;
}

// Windows always has a desktop to open the window on.
const char* platformDisplayError() { return nullptr; }
