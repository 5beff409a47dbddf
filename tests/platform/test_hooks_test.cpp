// The test hooks themselves: the call log in the game's order, each window
// and context call made to fail as the platform would report it, and the
// fixed clock.
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

DEVMODEA screenMode()
{
    SDL_DisplayMode screen{};
    SDL_GetDesktopDisplayMode(0, &screen);
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof(mode));
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(screen.w);
    mode.dmPelsHeight = static_cast<DWORD>(screen.h);
    mode.dmBitsPerPel = 16;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return mode;
}

// The game's window, built and torn down in the game's own order, each call
// kept so a test can look at any one of them.
struct GameWindowCalls {
    WORD atom = 0;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    int format = 0;
    BOOL formatSet = FALSE;
    HGLRC context = nullptr;
    BOOL madeCurrent = FALSE;
};

WNDCLASSA gameClass() { return recordingClass(CS_HREDRAW | CS_VREDRAW | CS_OWNDC); }

GameWindowCalls buildWindow()
{
    GameWindowCalls setup;
    const WNDCLASSA windowClass = gameClass();
    setup.atom = RegisterClassA(&windowClass);
    setup.window = CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", "Trigonix", WS_OVERLAPPEDWINDOW, 0, 0,
                                   64, 48, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    setup.deviceContext = GetDC(setup.window);
    const PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
    setup.format = ChoosePixelFormat(setup.deviceContext, &descriptor);
    setup.formatSet = SetPixelFormat(setup.deviceContext, setup.format, &descriptor);
    setup.context = wglCreateContext(setup.deviceContext);
    setup.madeCurrent = wglMakeCurrent(setup.deviceContext, setup.context);
    ShowWindow(setup.window, SW_SHOW);
    return setup;
}

struct TeardownResults {
    BOOL released = FALSE;
    BOOL deleted = FALSE;
    int deviceContextReleased = 0;
    BOOL destroyed = FALSE;
    BOOL unregistered = FALSE;
};

TeardownResults tearDown(const GameWindowCalls& setup)
{
    TeardownResults result;
    result.released = wglMakeCurrent(nullptr, nullptr);
    result.deleted = wglDeleteContext(setup.context);
    result.deviceContextReleased = ReleaseDC(setup.window, setup.deviceContext);
    result.destroyed = DestroyWindow(setup.window);
    result.unregistered = UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    return result;
}

int countOf(const std::string& name)
{
    int count = 0;
    for (const auto& entry : testHooks::callLog())
        count += entry == name ? 1 : 0;
    return count;
}

class Hooks : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(platformDisplayError(), nullptr);
        testHooks::reset();
    }
    void TearDown() override
    {
        testHooks::reset();
        wglMakeCurrent(nullptr, nullptr);
        UnregisterClassA("OpenGL", nullptr);
    }
};

}  // namespace

TEST_F(Hooks, TheCallLogHoldsTheGamesWindowCallsInOrder)
{
    const GameWindowCalls setup = buildWindow();
    ASSERT_NE(setup.context, nullptr);
    DEVMODEA mode = screenMode();
    ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    ChangeDisplaySettingsA(nullptr, 0);
    const TeardownResults teardown = tearDown(setup);
    EXPECT_TRUE(teardown.unregistered);
    // clang-format off
    const std::vector<std::string> expected = {
        "RegisterClassA", "CreateWindowExA",  "GetDC",          "ChoosePixelFormat",
        "SetPixelFormat", "wglCreateContext", "wglMakeCurrent", "ShowWindow",
        "ChangeDisplaySettingsA", "ChangeDisplaySettingsA", "wglMakeCurrent",
        "wglDeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClassA"};
    // clang-format on
    EXPECT_EQ(testHooks::callLog(), expected);
}

TEST_F(Hooks, ResetEmptiesTheCallLog)
{
    const WNDCLASSA windowClass = gameClass();
    RegisterClassA(&windowClass);
    ASSERT_FALSE(testHooks::callLog().empty());
    testHooks::reset();
    EXPECT_TRUE(testHooks::callLog().empty());
}

TEST_F(Hooks, AFailingRegisterClassReturnsNoughtAndRegistersNothing)
{
    testHooks::failCall(PlatformCall::RegisterClass);
    const WNDCLASSA windowClass = gameClass();
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(countOf("RegisterClassA"), 1);
    EXPECT_NE(RegisterClassA(&windowClass), 0);  // one failure only, and nothing was left behind
}

TEST_F(Hooks, AFailingDisplayChangeReportsFailed)
{
    DEVMODEA mode = screenMode();
    testHooks::failCall(PlatformCall::ChangeDisplaySettings, 2);
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_FAILED);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_FAILED);
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(countOf("ChangeDisplaySettingsA"), 3);
    ChangeDisplaySettingsA(nullptr, 0);
}

TEST_F(Hooks, AFailingCreateWindowGivesNoWindow)
{
    testHooks::failCall(PlatformCall::CreateWindow);
    const GameWindowCalls setup = buildWindow();
    EXPECT_EQ(setup.window, nullptr);
    EXPECT_EQ(setup.deviceContext, nullptr);
    EXPECT_EQ(countOf("CreateWindowExA"), 1);
    EXPECT_TRUE(UnregisterClassA("OpenGL", nullptr));  // no window was left holding the class
}

TEST_F(Hooks, AFailingGetDcGivesNoDeviceContext)
{
    testHooks::failCall(PlatformCall::GetDC);
    const GameWindowCalls setup = buildWindow();
    EXPECT_NE(setup.window, nullptr);
    EXPECT_EQ(setup.deviceContext, nullptr);
    EXPECT_EQ(countOf("GetDC"), 1);
    EXPECT_NE(GetDC(setup.window), nullptr);
    DestroyWindow(setup.window);
}

TEST_F(Hooks, AFailingChoosePixelFormatGivesFormatNought)
{
    testHooks::failCall(PlatformCall::ChoosePixelFormat);
    const GameWindowCalls setup = buildWindow();
    EXPECT_EQ(setup.format, 0);
    EXPECT_EQ(countOf("ChoosePixelFormat"), 1);
    DestroyWindow(setup.window);
}

TEST_F(Hooks, AFailingSetPixelFormatLeavesTheFormatUnset)
{
    testHooks::failCall(PlatformCall::SetPixelFormat);
    const GameWindowCalls setup = buildWindow();
    EXPECT_GT(setup.format, 0);
    EXPECT_FALSE(setup.formatSet);
    EXPECT_EQ(setup.context, nullptr);  // no format, no context
    EXPECT_EQ(countOf("SetPixelFormat"), 1);
    const PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
    EXPECT_TRUE(SetPixelFormat(setup.deviceContext, setup.format, &descriptor));
    DestroyWindow(setup.window);
}

TEST_F(Hooks, AFailingCreateContextGivesNoContext)
{
    testHooks::failCall(PlatformCall::CreateContext);
    const GameWindowCalls setup = buildWindow();
    EXPECT_TRUE(setup.formatSet);
    EXPECT_EQ(setup.context, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);  // making no context current releases
    EXPECT_EQ(countOf("wglCreateContext"), 1);
    DestroyWindow(setup.window);
}

TEST_F(Hooks, AFailingMakeCurrentLeavesNothingCurrent)
{
    testHooks::failCall(PlatformCall::MakeCurrent);
    const GameWindowCalls setup = buildWindow();
    EXPECT_NE(setup.context, nullptr);
    EXPECT_FALSE(setup.madeCurrent);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_EQ(countOf("wglMakeCurrent"), 1);
    // Releasing is another call and does not fail.
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    wglDeleteContext(setup.context);
    DestroyWindow(setup.window);
}

TEST_F(Hooks, AFailingReleaseLeavesTheContextCurrent)
{
    const GameWindowCalls setup = buildWindow();
    ASSERT_TRUE(setup.madeCurrent);
    testHooks::failCall(PlatformCall::ReleaseCurrent);
    EXPECT_FALSE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), setup.context);
    EXPECT_EQ(countOf("wglMakeCurrent"), 2);
    const TeardownResults teardown = tearDown(setup);
    EXPECT_TRUE(teardown.released);
    EXPECT_TRUE(teardown.deleted);
}

TEST_F(Hooks, FailingReleasesReportFailureButLeakNothing)
{
    const GameWindowCalls setup = buildWindow();
    ASSERT_TRUE(setup.madeCurrent);
    testHooks::failCall(PlatformCall::DeleteContext);
    testHooks::failCall(PlatformCall::ReleaseDC);
    testHooks::failCall(PlatformCall::DestroyWindow);
    const TeardownResults teardown = tearDown(setup);
    EXPECT_TRUE(teardown.released);
    EXPECT_FALSE(teardown.deleted);
    EXPECT_EQ(teardown.deviceContextReleased, 0);
    EXPECT_FALSE(teardown.destroyed);
    // The window did go, so the class could be unregistered.
    EXPECT_TRUE(teardown.unregistered);
    EXPECT_FALSE(wglDeleteContext(setup.context));  // and the context is gone
    EXPECT_EQ(countOf("wglDeleteContext"), 2);
    EXPECT_EQ(countOf("ReleaseDC"), 1);
    EXPECT_EQ(countOf("DestroyWindow"), 1);
}

TEST_F(Hooks, AFailingUnregisterKeepsTheClass)
{
    const GameWindowCalls setup = buildWindow();
    testHooks::failCall(PlatformCall::UnregisterClass);
    const TeardownResults teardown = tearDown(setup);
    EXPECT_FALSE(teardown.unregistered);
    EXPECT_EQ(countOf("UnregisterClassA"), 1);
    const WNDCLASSA windowClass = gameClass();
    EXPECT_EQ(RegisterClassA(&windowClass), 0);  // still there, as on Windows
    EXPECT_TRUE(UnregisterClassA("OpenGL", nullptr));
}

TEST_F(Hooks, ANegativeCountFailsEveryCallUntilReset)
{
    testHooks::failCall(PlatformCall::RegisterClass, -1);
    const WNDCLASSA windowClass = gameClass();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(RegisterClassA(&windowClass), 0);
    testHooks::reset();
    EXPECT_NE(RegisterClassA(&windowClass), 0);
}

TEST_F(Hooks, ACountOfTwoFailsTwice)
{
    testHooks::failCall(PlatformCall::GetDC, 2);
    const WNDCLASSA windowClass = gameClass();
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "OpenGL", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_NE(GetDC(window), nullptr);
    DestroyWindow(window);
}

TEST_F(Hooks, AFixedClockHoldsUntilReleased)
{
    testHooks::fixClock(1234567);
    EXPECT_EQ(platformTime(), 1234567);
    EXPECT_EQ(platformTime(), 1234567);
    testHooks::releaseClock();
    const std::time_t before = std::time(nullptr);
    const std::time_t now = platformTime();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
}

TEST_F(Hooks, ResetReleasesTheClock)
{
    testHooks::fixClock(5);
    testHooks::reset();
    EXPECT_NE(platformTime(), 5);
}
