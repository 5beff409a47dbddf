// Name entry after a new best, driven through whole frames: keys taken on
// release, Shift for capitals, the three slots, Backspace, Enter and Escape,
// mouse buttons, and what the screen shows.
#include "frontend/name_entry.h"

#include "game/app_state.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <GL/gl.h>

#include <string>

namespace {

struct NameEntryTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        openWindow(640, 480);
        settings.raceType = 4;
        startNameEntry();
    }

    // What the race end does on a new best.
    void startNameEntry()
    {
        HighScoreEntry* entry = highScoreFor(settings.raceType);
        entry->best = 57;
        entry->initials.set(1, '_');
        entry->initials.set(2, '_');
        entry->initials.set(3, '_');
        input.lastReleasedKey = 63;
        screens.frontEnd = false;
        screens.nameEntryShown = true;
    }

    static std::string initials()
    {
        const Initials& stored = highScoreFor(settings.raceType)->initials;
        return std::string{stored.get(1), stored.get(2), stored.get(3)};
    }

    // A key pressed and released between frames, then one frame.
    static void type(int code)
    {
        tapKey(code);
        runFrames(1);
    }

    static void typeEach(const std::string& keys)
    {
        for (char key : keys)
            type(key);
    }
};

TEST_F(NameEntryTest, LettersTypedWithShiftAreCapitals)
{
    pressKey(VK_SHIFT);
    runFrames(1);
    typeEach("KEV");
    releaseKey(VK_SHIFT);
    runFrames(2);
    EXPECT_EQ(initials(), "KEV");
    EXPECT_TRUE(screens.nameEntryShown);
}

TEST_F(NameEntryTest, LettersTypedWithoutShiftAreSmall)
{
    typeEach("KEV");
    EXPECT_EQ(initials(), "kev");
}

TEST_F(NameEntryTest, ShiftMustStillBeDownWhenTheLetterIsReleased)
{
    pressKey(VK_SHIFT);
    pressKey('K');
    releaseKey(VK_SHIFT);
    releaseKey('K');
    runFrames(1);
    EXPECT_EQ(initials(), "k__");
}

TEST_F(NameEntryTest, AFourthLetterChangesNothing)
{
    typeEach("KEV");
    type('X');
    runFrames(3);
    EXPECT_EQ(initials(), "kev");
}

TEST_F(NameEntryTest, EachLetterFillsTheLeftmostEmptySlot)
{
    type('K');
    EXPECT_EQ(initials(), "k__");
    runFrames(5);
    EXPECT_EQ(initials(), "k__");
    type('E');
    EXPECT_EQ(initials(), "ke_");
}

TEST_F(NameEntryTest, BackspaceClearsAllThreeSlots)
{
    typeEach("KE");
    ASSERT_EQ(initials(), "ke_");
    type(VK_BACK);
    EXPECT_EQ(initials(), "___");
    type('V');
    EXPECT_EQ(initials(), "v__");
}

TEST_F(NameEntryTest, EnterWithNothingTypedEndsEntryAndKeepsUnderscores)
{
    type(VK_RETURN);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(screens.frontEnd);
    EXPECT_EQ(initials(), "___");
    EXPECT_EQ(highScoreFor(4)->best, 57);
}

TEST_F(NameEntryTest, EnterAfterTwoLettersKeepsThem)
{
    typeEach("AB");
    type(VK_RETURN);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_EQ(initials(), "ab_");
}

TEST_F(NameEntryTest, EscapeEndsEntryWithoutTouchingTheScreens)
{
    screens.optionsShown = true;
    type('Q');
    type(VK_ESCAPE);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(screens.frontEnd);
    // Escape is name entry's own here: the screen beneath is not closed.
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_FALSE(app.quitRequested);
    EXPECT_EQ(initials(), "q__");
}

TEST_F(NameEntryTest, KeysOutsideTheLetterRangeAreIgnored)
{
    type('1');
    type(VK_SPACE);
    type(VK_LEFT);
    type(VK_DELETE);
    type(64);
    type(123);
    EXPECT_EQ(initials(), "___");
    EXPECT_TRUE(screens.nameEntryShown);
}

// Codes above Z (keypad, function keys, the brackets) would be stored as
// characters the font cannot show: only A to Z fill a slot.
TEST_F(NameEntryTest, OnlyTheLetterKeysFillASlot)
{
    struct Case {
        int code;
        bool shift;
        const char* initials;  // after the code and then the letter K
    };
    const Case cases[] = {
        {'A', false, "ak_"},   {'Z', false, "zk_"},        {'A', true, "AK_"},
        {'Z', true, "ZK_"},    {'@', false, "k__"},        {'[', false, "k__"},
        {'z', false, "k__"},   {VK_NUMPAD0, false, "k__"}, {VK_NUMPAD0 + 9, true, "K__"},
        {VK_F2, false, "k__"}, {VK_F2 + 1, true, "K__"},   {VK_F12, false, "k__"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        startNameEntry();
        if (c.shift)
            pressKey(VK_SHIFT);
        type(c.code);
        type('K');
        if (c.shift)
            releaseKey(VK_SHIFT);
        runFrames(1);
        EXPECT_EQ(initials(), c.initials);
        EXPECT_TRUE(screens.nameEntryShown);
    }
}

TEST_F(NameEntryTest, AHeldMouseButtonKeepsTheNameEmpty)
{
    pressLeftButton();
    typeEach("KEV");
    EXPECT_EQ(initials(), "___");
    releaseLeftButton();
    pressRightButton();
    type('K');
    EXPECT_EQ(initials(), "___");
    releaseRightButton();
    type('K');
    EXPECT_EQ(initials(), "k__");
}

TEST_F(NameEntryTest, HoldingEnterDoesNotEndEntryReleasingItDoes)
{
    pressKey(VK_RETURN);
    runFrames(5);
    EXPECT_TRUE(screens.nameEntryShown);
    releaseKey(VK_RETURN);
    runFrames(1);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(screens.frontEnd);
}

TEST_F(NameEntryTest, AKeyIsTakenOnReleaseNotOnPress)
{
    pressKey('K');
    runFrames(3);
    EXPECT_EQ(initials(), "___");
    releaseKey('K');
    runFrames(1);
    EXPECT_EQ(initials(), "k__");
}

TEST_F(NameEntryTest, AKeyPressedBeforeTheFrameMakesTheEarlierReleaseWait)
{
    tapKey('K');
    pressKey('E');
    runFrames(2);
    EXPECT_EQ(initials(), "___");
    releaseKey('E');
    runFrames(1);
    EXPECT_EQ(initials(), "e__");
}

TEST_F(NameEntryTest, InitialsGoToTheRowOfTheRaceType)
{
    screens.nameEntryShown = false;
    settings.raceType = 2;
    startNameEntry();
    highScoreFor(4)->initials.set(1, 'Z');
    typeEach("MN");
    EXPECT_EQ(initials(), "mn_");
    EXPECT_EQ(highScoreFor(4)->initials.get(1), 'Z');
}

TEST_F(NameEntryTest, TheScreenShowsHeadingPromptInitialsAndScore)
{
    race.raceClock = 42.0f / 1e12f;
    pressKey(VK_SHIFT);
    typeEach("KE");
    releaseKey(VK_SHIFT);
    runFrames(1);

    screenView::Frame frame = screenView::grab();
    const screenView::Placement nameEntry = screenView::nameEntryFrame();
    EXPECT_TRUE(screenView::compare(frame, "KE_", -0.3f, 0.4f, {1, 1, 1}, nameEntry).shown());
    EXPECT_TRUE(screenView::compare(frame, "You got the best score!!", -1.0f, 1.4f, {1, 0.2f, 0.4f},
                                    nameEntry)
                    .shown());
    EXPECT_TRUE(
        screenView::compare(frame, "Please enter your name!!", -1.0f, 1.0f, {1, 0, 1}, nameEntry)
            .shown());
    const std::string score = "Score: " + std::to_string(shownScore());
    EXPECT_TRUE(
        screenView::compare(frame, score, -0.5f, -0.4f, {0, 0.2f, 0.8f}, nameEntry).shown());
    // The initials are white, not in another line's colour.
    EXPECT_FALSE(screenView::compare(frame, "KE_", -0.3f, 0.4f, {1, 0, 1}, nameEntry).shown());
}

TEST_F(NameEntryTest, TheScreenIsClearedToBlack)
{
    glClearColor(0.0f, 0.5f, 0.0f, 0.5f);
    runFrames(1);
    // The first frame was cleared in the race's colour; from then on black.
    EXPECT_TRUE(isColour(pixelAt(5, 5), 0, 127, 0, 2));
    runFrames(1);
    EXPECT_TRUE(isColour(pixelAt(5, 5), 0, 0, 0, 0));
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[3], 0.0f);
}

TEST_F(NameEntryTest, TheMenuClockStandsStillDuringEntry)
{
    const float before = menu.menuClock;
    typeEach("AB");
    runFrames(10);
    EXPECT_EQ(menu.menuClock, before);
}

}  // namespace
