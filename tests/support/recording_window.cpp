// The platform tests' window class: a procedure that records every message,
// hidden windows of that class, and the game's message loop run over
// what is waiting.
#include "tests/support/recording_window.h"

#include "platform/test_hooks.h"
#include "platform/window.h"

RecordingProcedure recording;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ReceivedMessage entry{window, message, wParam, lParam};
    recording.received.push_back(entry);
    if (recording.reaction)
        recording.reaction(entry);
    return recording.passOn ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

WNDCLASSA recordingClass(UINT style)
{
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OpenGL";
    return windowClass;
}

WORD registerRecordingClass(UINT style)
{
    recording = RecordingProcedure{};
    const WNDCLASSA windowClass = recordingClass(style);
    return RegisterClassA(&windowClass);
}

void unregisterRecordingClass()
{
    UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    recording = RecordingProcedure{};
}

HWND openRecordingWindow(const char* title, DWORD style, int width, int height)
{
    return CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", title, style, 0, 0, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::vector<MSG> dispatchWaiting()
{
    std::vector<MSG> retrieved;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        retrieved.push_back(message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return retrieved;
}

void endFrame()
{
    // No window needs showing: the loop has drawn its frame all the same.
    SwapBuffers(nullptr);
}

std::vector<MSG> drainMessages()
{
    std::vector<MSG> retrieved;
    MSG next;
    do {
        const std::vector<MSG> pass = dispatchWaiting();
        retrieved.insert(retrieved.end(), pass.begin(), pass.end());
        endFrame();
    } while (PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE));
    return retrieved;
}

void discardMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

PIXELFORMATDESCRIPTOR gameDescriptor()
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 16;
    descriptor.cDepthBits = 16;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

void RecordingWindowTest::SetUp()
{
    ASSERT_EQ(platformDisplayError(), nullptr);
    ASSERT_NE(registerRecordingClass(), 0);
    window = openRecordingWindow();
    ASSERT_NE(window, nullptr);
    drainMessages();
    recording.received.clear();
}

void RecordingWindowTest::TearDown()
{
    if (window != nullptr)
        DestroyWindow(window);
    unregisterRecordingClass();
    testHooks::reset();
    discardMessages();
}
