// The title screen and its main menu: what the first frame shows, and the
// four rows' actions with the delays and sounds that go with them.
#include "frontend/title_menu.h"

#include "app/frame.h"
#include "app/input.h"
#include "frontend/menu.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/front_end_probe.h"
#include "tests/support/game_fixture.h"

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr Rgb green{0, 255, 0};
constexpr Rgb cyan{0, 255, 255};
constexpr Rgb grey{51, 51, 51};

const char* const rows[4] = {"SINGLE PLAYER", "OPTIONS", "HIGH SCORES", "QUIT"};

struct TitleMenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(640, 480);
        settings.raceType = RaceType::MEDIUM;
    }

    // Enter on `row`, as a press that is down for one frame.
    void choose(int row)
    {
        menu.currentItem = row;
        menu.repeatDelay = 0;
        pressKey(VK_RETURN);
        runFrames(1);
        releaseKey(VK_RETURN);
    }
};

TEST_F(TitleMenuTest, TheFirstFrameShowsTheTitleTheCreditAndTheMenuWithSinglePlayerHighlighted)
{
    runFrames(1);
    FrameCapture frame = captureFrame();
    const Rgb highlight = highlightColour(menu.menuClock);
    EXPECT_EQ(menu.currentItem, 1);

    // Nine blanks put the name under the middle of the menu.
    EXPECT_EQ(textMismatch(frame, -2.8f, 3.0f, green, "         Trigonix"), 0);
    EXPECT_NE(textMismatch(frame, -2.8f, 3.0f, green, "Trigonix"), 0);
    EXPECT_EQ(textMismatch(frame, -2.1f, 2.5f, cyan, "Made By: Kelvorn"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlight, "SINGLE PLAYER"), 0);
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(textMismatch(frame, -2.2f, 2.0f - row, grey, rows[row - 1]), 0) << row;

    // The torus beside the first row, and nowhere else.
    EXPECT_GT(markerPixels(frame, 1.0, highlight), 10);
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(markerPixels(frame, 2.0 - row, highlight), 0) << row;
}

TEST_F(TitleMenuTest, TheMarkerIsAWireTorus)
{
    // Seen face on at clock 0, the torus is a ring: lit around, dark in the
    // middle; the sphere and the others fill their middle.
    menu.menuClock = -0.1f;
    runFrames(1);
    FrameCapture frame = captureFrame();
    const Rgb highlight = highlightColour(menu.menuClock);
    EXPECT_EQ(pixelsNear(frame, -3.5, 1.0, -2.0, 0.12, 0.12, highlight), 0);
    EXPECT_GT(pixelsNear(frame, -3.5, 1.0, -2.0, 0.75, 0.75, highlight), 40);
}

TEST_F(TitleMenuTest, ChoosingOptionsShowsTheOptionsMenuInTheSameFrameWithoutTakingTheEnterTwice)
{
    choose(2);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(menu.repeatDelay, 10);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM) << "the Options menu did not act on the Enter";

    // The main menu was drawn first in this frame with OPTIONS current, then
    // the Options menu over it with its own first row current.
    FrameCapture frame = captureFrame();
    const Rgb highlight = highlightColour(menu.menuClock);
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlight, "Race Type: MEDIUM"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, -3.0f, grey, "BACK"), 0);

    // From the next frame on, the Options menu alone.
    runFrames(1);
    frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -1.0f, 3.0f, green, "OPTIONS"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlightColour(menu.menuClock),
                           "Race Type: MEDIUM"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, 0.0f, grey, "Sound: OFF"), 0);
}

TEST_F(TitleMenuTest, ChoosingHighScoresOpensTheTableWithADelayOfFortyCountedDownTwice)
{
    choose(3);
    EXPECT_TRUE(screens.highScoresShown);
    EXPECT_EQ(menu.repeatDelay, 39) << "40, lowered once by the table in the same frame";
    EXPECT_EQ(menu.currentItem, 3);
    // Drawn in the same frame, under the main menu drawn before it.
    FrameCapture frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -2.4f, -3.0f, Rgb{255, 0, 255}, "Press ENTER to go back"), 0);
    runFrames(1);
    EXPECT_EQ(menu.repeatDelay, 37);
    frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -2.0f, 3.0f, green, "HIGH SCORES"), 0);
}

TEST_F(TitleMenuTest, ChoosingSinglePlayerStartsARaceAndDrawsItsFirstFrame)
{
    race.raceFrames = 300;
    choose(1);
    EXPECT_FALSE(screens.frontEnd);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_LE(race.raceFrames, 1);
    EXPECT_FALSE(screens.optionsShown || screens.highScoresShown || screens.exitScreenShown);
}

TEST_F(TitleMenuTest, ChoosingQuitShowsTheExitScreenRestartsTheMoonAndCutsTheBleepWithBye)
{
    settings.soundOn = true;
    runFrames(30);
    ASSERT_GT(menu.menuClock, 2.0f);
    choose(4);
    EXPECT_TRUE(screens.exitScreenShown);
    EXPECT_EQ(menu.menuClock, 0.0f);
    EXPECT_EQ(menu.repeatDelay, 10);
    EXPECT_FALSE(app.quitRequested) << "the Enter that chose QUIT does not also leave the game";
    const auto& sounds = testHooks::soundsRequested();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_TRUE(sounds[0] == "Data/Bleep.wav" || sounds[0] == "Data/Bleep2.wav") << sounds[0];
    EXPECT_EQ(sounds[1], "Data/bye.wav");

    // The marker and the main menu are gone from the next frame on.
    runFrames(1);
    FrameCapture frame = captureFrame();
    EXPECT_EQ(textPixels(frame, -2.2f, -2.0f, highlightColour(menu.menuClock)), 0);
    EXPECT_EQ(textPixels(frame, -2.2f, 1.0f, grey), 0);
}

TEST_F(TitleMenuTest, ChoosingQuitWithSoundOffPlaysNothing)
{
    settings.soundOn = false;
    choose(4);
    EXPECT_TRUE(screens.exitScreenShown);
    EXPECT_TRUE(testHooks::soundsRequested().empty());
}

TEST_F(TitleMenuTest, QuitChosenWithALeftClickStillHeldInTheNextFrameEndsTheGame)
{
    WindowPoint p = frontEndPoint(-0.5, -2.0);
    moveMouse(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
    pressLeftButton();
    runFrames(1);
    EXPECT_TRUE(screens.exitScreenShown);
    EXPECT_FALSE(app.quitRequested);
    runFrames(1);
    EXPECT_TRUE(app.quitRequested) << "the held button over a band is a new Enter";
    releaseLeftButton();
}

TEST_F(TitleMenuTest, EnterActsOnlyOnceTheDelayHasRunOut)
{
    pressKey(VK_DOWN);
    runFrames(1);
    releaseKey(VK_DOWN);
    ASSERT_EQ(menu.currentItem, 2);
    // The Down set a delay of 10: Enter held through it acts in the tenth
    // frame after it.
    int openedIn = 0;
    for (int frame = 1; frame <= 12 && openedIn == 0; ++frame) {
        pressKey(VK_RETURN);  // the desktop's key repeat
        runFrames(1);
        if (screens.optionsShown)
            openedIn = frame;
    }
    EXPECT_EQ(openedIn, 10);
}

TEST_F(TitleMenuTest, ReturningWithEscapeFromTheFifthOptionsRowHighlightsNothingForAFrame)
{
    screens.optionsShown = true;
    menu.currentItem = 5;
    menu.menuClock = 30.0f;
    runFrames(1);
    pressKey(VK_ESCAPE);
    runFrames(1);
    releaseKey(VK_ESCAPE);
    ASSERT_FALSE(screens.optionsShown);

    FrameCapture frame = captureFrame();
    Rgb highlight = highlightColour(menu.menuClock);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(textMismatch(frame, -2.2f, 2.0f - row, grey, rows[row - 1]), 0) << row;
        EXPECT_EQ(markerPixels(frame, 2.0 - row, highlight), 0) << row;
    }
    EXPECT_GT(markerPixels(frame, -3.0, highlight), 10) << "torus at -3";
    EXPECT_EQ(menu.currentItem, 1);

    runFrames(1);
    frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlightColour(menu.menuClock), rows[0]), 0);
}

}  // namespace
