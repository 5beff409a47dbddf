// The cursor display counter: it counts as ShowCursor is asked, the
// pointer shows while it is nought or more, and the front end and the race
// leave it where the game expects it.
#include "platform/test_hooks.h"
#include "platform/win32.h"

#include <SDL.h>
#include <gtest/gtest.h>

TEST(Cursor, TheCounterStartsAtNoughtAndMovesByOne)
{
    EXPECT_EQ(testHooks::cursorCounter(), 0);
    EXPECT_EQ(ShowCursor(TRUE), 1);
    EXPECT_EQ(ShowCursor(TRUE), 2);
    EXPECT_EQ(ShowCursor(FALSE), 1);
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(testHooks::cursorCounter(), -2);
}

TEST(Cursor, TheCursorShowsWhileTheCounterIsNoughtOrMore)
{
    ASSERT_EQ(platformDisplayError(), nullptr);
    ASSERT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    ASSERT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    ASSERT_EQ(ShowCursor(TRUE), 1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST(Cursor, FrontEndFramesSettleAtNoughtAndRaceFramesAtMinusOne)
{
    ASSERT_EQ(platformDisplayError(), nullptr);
    ShowCursor(TRUE);  // the context's first raise
    for (int frame = 0; frame < 5; ++frame) {
        if (ShowCursor(TRUE) < 1)
            ShowCursor(TRUE);
        ShowCursor(FALSE);
        EXPECT_EQ(testHooks::cursorCounter(), 1);
    }
    for (int frame = 0; frame < 5; ++frame) {
        if (ShowCursor(FALSE) > -2)
            ShowCursor(FALSE);
        ShowCursor(TRUE);
    }
    EXPECT_EQ(testHooks::cursorCounter(), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    for (int frame = 0; frame < 3; ++frame) {
        if (ShowCursor(TRUE) < 1)
            ShowCursor(TRUE);
        ShowCursor(FALSE);
    }
    EXPECT_EQ(testHooks::cursorCounter(), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST(Cursor, ResetLeavesTheCounterAlone)
{
    ShowCursor(FALSE);
    testHooks::reset();
    EXPECT_EQ(testHooks::cursorCounter(), -1);
}
