// Window classes, windows, device contexts, pixel formats and rendering
// contexts, and the buffer swap, as the game's window code uses them.
#include "platform/platform_state.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class Window : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(platformDisplayError(), nullptr);
        // The class as the game registers it.
        WNDCLASSA windowClass = recordingClass(CS_HREDRAW | CS_VREDRAW | CS_OWNDC);
        windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        recording.passOn = true;
    }

    void TearDown() override
    {
        wglMakeCurrent(nullptr, nullptr);
        for (HGLRC context : contexts)
            wglDeleteContext(context);
        for (HWND window : windows)
            DestroyWindow(window);
        unregisterRecordingClass();
        testHooks::reset();
    }

    HWND open(int width, int height, DWORD style = windowedStyle)
    {
        HWND window =
            CreateWindowExA(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, "OpenGL", "Trigonix", style, 0, 0,
                            width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window != nullptr)
            windows.push_back(window);
        return window;
    }

    HGLRC contextFor(HDC deviceContext)
    {
        const PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
        const int format = ChoosePixelFormat(deviceContext, &descriptor);
        EXPECT_GT(format, 0);
        EXPECT_TRUE(SetPixelFormat(deviceContext, format, &descriptor));
        HGLRC context = wglCreateContext(deviceContext);
        if (context != nullptr)
            contexts.push_back(context);
        return context;
    }

    static SDL_Window* sdlWindowOf(HWND window) { return findWindow(window)->sdlWindow; }

    std::vector<HWND> windows;
    std::vector<HGLRC> contexts;
};

}  // namespace

TEST_F(Window, TheModuleHandleIsFixedAndNotNull)
{
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
}

TEST_F(Window, AClassRegisteredTwiceIsRefusedUntilUnregistered)
{
    WNDCLASSA again{};
    again.lpfnWndProc = recordingProcedure;
    again.lpszClassName = "OpenGL";
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_TRUE(UnregisterClassA("OpenGL", GetModuleHandleA(nullptr)));
    EXPECT_FALSE(UnregisterClassA("OpenGL", GetModuleHandleA(nullptr)));
    EXPECT_NE(RegisterClassA(&again), 0);
}

TEST_F(Window, AClassWithAWindowCannotBeUnregistered)
{
    HWND window = open(64, 48);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA("OpenGL", GetModuleHandleA(nullptr)));
    EXPECT_TRUE(DestroyWindow(window));
    windows.clear();
    EXPECT_TRUE(UnregisterClassA("OpenGL", GetModuleHandleA(nullptr)));
}

TEST_F(Window, AWindowOfAnUnknownClassIsNotCreated)
{
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", windowedStyle, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
}

TEST_F(Window, AdjustingTheRectangleLeavesTheClientAreaAsAsked)
{
    RECT rect{0, 0, 640, 480};
    EXPECT_TRUE(AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 640);
    EXPECT_EQ(rect.bottom, 480);
}

TEST_F(Window, TheClientAreaIsExactlyTheRequestedSize)
{
    HWND window = open(320, 240);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    RECT client{-1, -1, -1, -1};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindowOf(window), &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    int x = -1;
    int y = -1;
    SDL_GetWindowPosition(sdlWindowOf(window), &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(Window, AWindowedWindowIsResizableAndHasAnOpenGlSurface)
{
    HWND window = open(320, 240);
    ASSERT_NE(window, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(sdlWindowOf(window));
    EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
    EXPECT_EQ(flags & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN, 0u);
}

TEST_F(Window, AWindowIsCreatedHiddenAndShownByShowWindow)
{
    HWND window = open(100, 80);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindowOf(window)) & SDL_WINDOW_HIDDEN, 0u);
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));  // it was not visible before
    EXPECT_NE(SDL_GetWindowFlags(sdlWindowOf(window)) & SDL_WINDOW_SHOWN, 0u);
    EXPECT_TRUE(ShowWindow(window, SW_SHOW));
    EXPECT_TRUE(SetForegroundWindow(window));
    SetFocus(window);
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(Window, ANoughtByNoughtWindowIsCreatedAsSmallAsPossible)
{
    HWND window = open(0, 0);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 1);
    EXPECT_EQ(client.bottom, 1);
    HDC deviceContext = GetDC(window);
    ASSERT_NE(deviceContext, nullptr);
    HGLRC context = contextFor(deviceContext);
    ASSERT_NE(context, nullptr);
    EXPECT_TRUE(wglMakeCurrent(deviceContext, context));
    EXPECT_TRUE(SwapBuffers(deviceContext));
}

TEST_F(Window, CreationSendsTheClientSizeToTheWindowProcedure)
{
    HWND window = open(320, 240);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(recording.received.empty());
    EXPECT_EQ(recording.received.front().window, window);
    EXPECT_EQ(recording.received.front().message, WM_SIZE);
    EXPECT_EQ(LOWORD(recording.received.front().lParam), 320);
    EXPECT_EQ(HIWORD(recording.received.front().lParam), 240);
}

TEST_F(Window, TheWindowKeepsOneDeviceContext)
{
    HWND first = open(64, 48);
    HWND second = open(64, 48);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    HDC deviceContext = GetDC(first);
    ASSERT_NE(deviceContext, nullptr);
    EXPECT_EQ(GetDC(first), deviceContext);
    EXPECT_NE(GetDC(second), deviceContext);
    EXPECT_EQ(ReleaseDC(second, deviceContext), 0);  // not that window's
    EXPECT_EQ(ReleaseDC(first, deviceContext), 1);
}

TEST_F(Window, ThePixelFormatCanBeSetOnlyOnce)
{
    HWND window = open(64, 48);
    ASSERT_NE(window, nullptr);
    HDC deviceContext = GetDC(window);
    const PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
    const int format = ChoosePixelFormat(deviceContext, &descriptor);
    ASSERT_GT(format, 0);
    EXPECT_TRUE(SetPixelFormat(deviceContext, format, &descriptor));
    EXPECT_FALSE(SetPixelFormat(deviceContext, format, &descriptor));
}

TEST_F(Window, AContextNeedsAPixelFormatFirst)
{
    HWND window = open(64, 48);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(wglCreateContext(GetDC(window)), nullptr);
}

TEST_F(Window, ANewContextIsNotCurrentUntilMadeCurrent)
{
    HWND window = open(64, 48);
    ASSERT_NE(window, nullptr);
    HDC deviceContext = GetDC(window);
    HGLRC context = contextFor(deviceContext);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);

    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    EXPECT_EQ(wglGetCurrentContext(), context);
    EXPECT_NE(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentWindow(), sdlWindowOf(window));
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, GL_TRUE);

    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST_F(Window, ASecondContextLeavesTheCurrentOneCurrent)
{
    HWND first = open(64, 48);
    HWND second = open(64, 48);
    HGLRC firstContext = contextFor(GetDC(first));
    ASSERT_NE(firstContext, nullptr);
    ASSERT_TRUE(wglMakeCurrent(GetDC(first), firstContext));
    SDL_GLContext sdlContext = SDL_GL_GetCurrentContext();
    HGLRC secondContext = contextFor(GetDC(second));
    ASSERT_NE(secondContext, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), firstContext);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), sdlContext);
    EXPECT_EQ(SDL_GL_GetCurrentWindow(), sdlWindowOf(first));
}

TEST_F(Window, DeletingTheCurrentContextReleasesIt)
{
    HWND window = open(64, 48);
    HDC deviceContext = GetDC(window);
    HGLRC context = contextFor(deviceContext);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    EXPECT_TRUE(wglDeleteContext(context));
    contexts.clear();
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_FALSE(wglDeleteContext(context));  // gone
    EXPECT_FALSE(wglMakeCurrent(deviceContext, context));
}

TEST_F(Window, ADestroyedWindowsHandlesFindNothing)
{
    HWND window = open(64, 48);
    HDC deviceContext = GetDC(window);
    ASSERT_TRUE(DestroyWindow(window));
    windows.clear();
    EXPECT_FALSE(DestroyWindow(window));
    RECT client{};
    EXPECT_FALSE(GetClientRect(window, &client));
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(ReleaseDC(window, deviceContext), 0);
    EXPECT_FALSE(SwapBuffers(deviceContext));
    // A new window never gets the old handles.
    HWND next = open(64, 48);
    EXPECT_NE(next, window);
    EXPECT_NE(GetDC(next), deviceContext);
}

TEST_F(Window, TheNextWindowIsMadeFromTheLastDescriptor)
{
    HWND first = open(64, 48);
    PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
    descriptor.cColorBits = 24;
    descriptor.cDepthBits = 24;
    descriptor.cStencilBits = 8;
    HDC firstContext = GetDC(first);
    ASSERT_GT(ChoosePixelFormat(firstContext, &descriptor), 0);

    HWND second = open(64, 48);
    HDC deviceContext = GetDC(second);
    ASSERT_TRUE(
        SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &descriptor), &descriptor));
    HGLRC context = wglCreateContext(deviceContext);
    ASSERT_NE(context, nullptr);
    contexts.push_back(context);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    GLint stencilBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    EXPECT_GE(stencilBits, 8);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
}

TEST_F(Window, SwapBuffersCallsTheSwapHookEveryTime)
{
    HWND window = open(64, 48);
    HDC deviceContext = GetDC(window);
    HGLRC context = contextFor(deviceContext);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    testHooks::setFramePacing(false);
    int swaps = 0;
    testHooks::onSwap([&swaps] { ++swaps; });
    for (int i = 0; i < 3; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_TRUE(SwapBuffers(deviceContext));
    }
    EXPECT_EQ(swaps, 3);
}

TEST_F(Window, PacedSwapsStillShowEveryFrame)
{
    HWND window = open(64, 48);
    ShowWindow(window, SW_SHOW);
    HDC deviceContext = GetDC(window);
    HGLRC context = contextFor(deviceContext);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    int swaps = 0;
    testHooks::onSwap([&swaps] { ++swaps; });
    for (int i = 0; i < 4; ++i) {
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_TRUE(SwapBuffers(deviceContext));
    }
    EXPECT_EQ(swaps, 4);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[0], 0);
}

TEST_F(Window, TheGameIconAndArrowCursorHaveHandles)
{
    EXPECT_NE(LoadIconA(nullptr, IDI_WINLOGO), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_WINLOGO), LoadIconA(GetModuleHandleA(nullptr), IDI_WINLOGO));
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, "IDI_NONE"), nullptr);
}
