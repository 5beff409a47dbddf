// Display modes and the display itself: full screen at a size the screen
// offers, the desktop restored, a clear line when there is no display, and
// a termination signal that still ends the game once SDL is up.
#include "platform/platform_state.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

DEVMODEA modeOf(DWORD width, DWORD height)
{
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof(mode));
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = 16;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return mode;
}

class Display : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(platformDisplayError(), nullptr);
        ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &screen), 0);
    }

    void TearDown() override
    {
        ChangeDisplaySettingsA(nullptr, 0);
        testHooks::reset();
    }

    SDL_DisplayMode screen{};
};

}  // namespace

TEST_F(Display, TheScreensOwnSizeIsAccepted)
{
    DEVMODEA mode = modeOf(static_cast<DWORD>(screen.w), static_cast<DWORD>(screen.h));
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
}

TEST_F(Display, ASizeTheDisplayDoesNotOfferIsABadMode)
{
    DEVMODEA mode = modeOf(static_cast<DWORD>(screen.w) + 1, static_cast<DWORD>(screen.h));
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
    DEVMODEA small = modeOf(320, 240);
    if (screen.w != 320) {
        EXPECT_EQ(ChangeDisplaySettingsA(&small, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
    }
    DEVMODEA none = modeOf(0, 0);
    EXPECT_EQ(ChangeDisplaySettingsA(&none, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
}

TEST_F(Display, RestoringTheDesktopAlwaysSucceeds)
{
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
}

TEST_F(Display, APopupWindowIsFullScreenAtTheAcceptedMode)
{
    DEVMODEA mode = modeOf(static_cast<DWORD>(screen.w), static_cast<DWORD>(screen.h));
    ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    ASSERT_NE(registerRecordingClass(0), 0);
    HWND window = openRecordingWindow("Trigonix", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                      screen.w, screen.h);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SDL_Window* sdlWindow = findWindow(window)->sdlWindow;
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, SDL_WINDOW_FULLSCREEN);
    SDL_DisplayMode windowMode{};
    ASSERT_EQ(SDL_GetWindowDisplayMode(sdlWindow, &windowMode), 0);
    EXPECT_EQ(windowMode.w, screen.w);
    EXPECT_EQ(windowMode.h, screen.h);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, screen.w);
    EXPECT_EQ(client.bottom, screen.h);

    // Restoring the desktop takes the window out of full screen.
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(UnregisterClassA("OpenGL", nullptr));
}

TEST_F(Display, APopupWindowWithoutAModeChangeIsABorderlessWindow)
{
    ASSERT_NE(registerRecordingClass(0), 0);
    HWND window = openRecordingWindow("Trigonix", WS_POPUP, 200, 100);
    ASSERT_NE(window, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(findWindow(window)->sdlWindow);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    DestroyWindow(window);
    unregisterRecordingClass();
}

TEST_F(Display, AfterRestoringAPopupIsNoLongerFullScreen)
{
    DEVMODEA mode = modeOf(static_cast<DWORD>(screen.w), static_cast<DWORD>(screen.h));
    ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ASSERT_NE(registerRecordingClass(0), 0);
    HWND window = openRecordingWindow("Trigonix", WS_POPUP, 200, 100);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SDL_GetWindowFlags(findWindow(window)->sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);
    DestroyWindow(window);
    unregisterRecordingClass();
}

TEST(DisplayMissing, WithoutADisplayTheReasonIsOneClearLine)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            const char* why = platformDisplayError();
            std::fprintf(stderr, "[%s]\n", why != nullptr ? why : "(null)");
            std::exit(why != nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "\\[cannot open a display: DISPLAY is not set\\]");
}

TEST(DisplayMissing, AnXServerThatDoesNotAnswerIsNamed)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("DISPLAY", ":97", 1);
            unsetenv("WAYLAND_DISPLAY");
            const char* why = platformDisplayError();
            std::fprintf(stderr, "[%s]\n", why != nullptr ? why : "(null)");
            std::exit(why != nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "\\[cannot open a display: cannot connect to the X server at :97 \\(");
}

TEST(DisplayMissing, AnOffScreenDriverAskedForIsHonoured)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "offscreen", 1);
            unsetenv("DISPLAY");
            std::exit(platformDisplayError() == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(DisplayMissing, WithoutADisplayNothingCrashes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            bool sound = registerRecordingClass(0) == 0;
            sound = sound && CreateWindowExA(0, "OpenGL", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                             nullptr, nullptr, nullptr, nullptr) == nullptr;
            DEVMODEA mode = modeOf(640, 480);
            sound =
                sound && ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL;
            sound = sound && ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
            sound = sound && ShowCursor(TRUE) == 1;
            MSG message{};
            sound = sound && !PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
            sound = sound && wglMakeCurrent(nullptr, nullptr);
            std::exit(sound ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Signals, TerminationStillEndsTheGameOnceSdlIsUp)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            PlaySoundA("Data/title.wav", nullptr, SND_ASYNC);  // audio first, as at start-up
            platformDisplayError();
            std::raise(SIGTERM);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}
