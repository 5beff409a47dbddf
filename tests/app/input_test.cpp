// The window procedure turns messages into the input every frame polls.
#include "app/window_proc.h"
#include "game/app_state.h"
#include "game/input.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

static LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return windowProc(nullptr, message, wParam, lParam);
}

TEST(WindowProcedure, AKeyIsDownFromItsKeyDownUntilItsKeyUp)
{
    EXPECT_EQ(send(WM_KEYDOWN, 'A'), 0);
    EXPECT_TRUE(isKeyDown('A'));
    EXPECT_TRUE(input.keyHeld);
    EXPECT_EQ(send(WM_KEYUP, 'A'), 0);
    EXPECT_FALSE(isKeyDown('A'));
    EXPECT_FALSE(input.keyHeld);
    EXPECT_EQ(input.lastReleasedKey, 'A');
}

TEST(WindowProcedure, AutoRepeatSetsAKeyAgainAfterAFrameClearedIt)
{
    send(WM_KEYDOWN, VK_RETURN);
    input.keys[VK_RETURN] = false;  // a frame consumed it
    send(WM_KEYDOWN, VK_RETURN);    // the desktop repeats the held key
    EXPECT_TRUE(input.keys[VK_RETURN]);
}

TEST(WindowProcedure, ReleasingOneKeyClearsKeyHeldThoughAnotherIsStillDown)
{
    send(WM_KEYDOWN, VK_SHIFT);
    send(WM_KEYDOWN, 'K');
    send(WM_KEYUP, 'K');
    EXPECT_FALSE(input.keyHeld);
    EXPECT_TRUE(input.keys[VK_SHIFT]);
    EXPECT_EQ(input.lastReleasedKey, 'K');
}

TEST(WindowProcedure, SystemKeysChangeNothing)
{
    send(WM_SYSKEYDOWN, VK_F10);
    send(WM_SYSKEYDOWN, VK_MENU);
    send(WM_SYSKEYDOWN, 'X');
    EXPECT_FALSE(input.keys[VK_F10]);
    EXPECT_FALSE(input.keys[VK_MENU]);
    EXPECT_FALSE(isKeyDown('X'));
    EXPECT_FALSE(input.keyHeld);
    send(WM_SYSKEYUP, 'X');
    EXPECT_EQ(input.lastReleasedKey, 0);
}

TEST(WindowProcedure, MinimisingStopsTheGameAndRestoringResumesIt)
{
    send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1));
    EXPECT_FALSE(app.active);
    send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0));
    EXPECT_TRUE(app.active);
    // Another window taking the focus does not pause the game.
    send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    EXPECT_TRUE(app.active);
}

TEST(WindowProcedure, MouseMovesAndButtonsAreRecorded)
{
    send(WM_MOUSEMOVE, 0, MAKELPARAM(320, 240));
    EXPECT_TRUE(input.mouseMoved);
    EXPECT_FLOAT_EQ(input.mouseX, 320.0f);
    EXPECT_FLOAT_EQ(input.mouseY, 240.0f);

    // Coordinates are unsigned 16-bit values: a pointer dragged left of the
    // window arrives as a large x, not a negative one.
    send(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-3), 7));
    EXPECT_FLOAT_EQ(input.mouseX, 65533.0f);
    EXPECT_FLOAT_EQ(input.mouseY, 7.0f);

    send(WM_LBUTTONDOWN);
    send(WM_RBUTTONDOWN);
    EXPECT_TRUE(input.leftButtonDown);
    EXPECT_TRUE(input.rightButtonDown);
    send(WM_LBUTTONUP);
    EXPECT_FALSE(input.leftButtonDown);
    EXPECT_TRUE(input.rightButtonDown);
    send(WM_RBUTTONUP);
    EXPECT_FALSE(input.rightButtonDown);
}

TEST(WindowProcedure, ClosingTheWindowPostsQuitWithCodeZero)
{
    EXPECT_EQ(send(WM_CLOSE), 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
}

TEST(WindowProcedure, ScreenSaverAndMonitorPowerAreRefused)
{
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_MONITORPOWER), 0);
}

TEST(WindowProcedure, ASizeMessageBeforeAnyContextHasNoEffect)
{
    // Sent while the window is being made: nothing is current yet, and
    // nothing may fail.
    EXPECT_EQ(send(WM_SIZE, 0, MAKELPARAM(640, 480)), 0);
}

TEST(KeyCodes, OnlyCodesInsideTheTableMatchAKey)
{
    input.keys[0] = true;
    input.keys[255] = true;
    EXPECT_TRUE(isKeyDown(0));
    EXPECT_TRUE(isKeyDown(255));
    // Codes from a damaged settings file.
    EXPECT_FALSE(isKeyDown(-1));
    EXPECT_FALSE(isKeyDown(-49));
    EXPECT_FALSE(isKeyDown(256));
    EXPECT_FALSE(isKeyDown(999));
    send(WM_KEYDOWN, 300);  // no such key: dropped, nothing overruns
    EXPECT_TRUE(input.keyHeld);
}
