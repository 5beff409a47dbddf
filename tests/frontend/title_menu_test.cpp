// The title screen and its main menu: what the first frame shows, and the
// four rows' actions with the delays and sounds that go with them.
#include "frontend/title_menu.h"

#include "frontend/menu.h"
#include "game/app_state.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using screenView::Colour;
using screenView::grey;

constexpr Colour green{0, 1, 0};
constexpr Colour cyan{0, 1, 1};

const char* const rows[4] = {"SINGLE PLAYER", "OPTIONS", "HIGH SCORES", "QUIT"};

struct TitleMenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(640, 480);
        settings.raceType = RaceType::MEDIUM;
    }
};

TEST_F(TitleMenuTest, TheFirstFrameShowsTheTitleTheCreditAndTheMenuWithSinglePlayerHighlighted)
{
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    const Colour highlight = screenView::highlight(menu.menuClock);
    EXPECT_EQ(menu.currentItem, 1);

    // Nine blanks put the name under the middle of the menu.
    EXPECT_TRUE(screenView::compare(frame, "         Trigonix", -2.8f, 3.0f, green).shown());
    EXPECT_FALSE(screenView::compare(frame, "Trigonix", -2.8f, 3.0f, green).shown());
    EXPECT_TRUE(screenView::compare(frame, "Made By: Kelvorn", -2.1f, 2.5f, cyan).shown());
    EXPECT_TRUE(screenView::compare(frame, "SINGLE PLAYER", -2.2f, 1.0f, highlight).shown());
    for (int row = 2; row <= 4; ++row)
        EXPECT_TRUE(screenView::compare(frame, rows[row - 1], -2.2f, 2.0f - row, grey).shown())
            << row;

    // The torus beside the first row, and nowhere else.
    EXPECT_GT(screenView::markerPixels(frame, 1.0, highlight), 10);
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(screenView::markerPixels(frame, 2.0 - row, highlight), 0) << row;
}

TEST_F(TitleMenuTest, TheMarkerIsAWireTorus)
{
    // Seen face on at clock 0, the torus is a ring: lit around, dark in the
    // middle; the sphere and the others fill their middle.
    menu.menuClock = -0.1f;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    const Colour highlight = screenView::highlight(menu.menuClock);
    EXPECT_EQ(screenView::pixelsNear(frame, -3.5, 1.0, -2.0, 0.12, 0.12, highlight), 0);
    EXPECT_GT(screenView::pixelsNear(frame, -3.5, 1.0, -2.0, 0.75, 0.75, highlight), 40);
}

TEST_F(TitleMenuTest, ChoosingOptionsShowsTheOptionsMenuInTheSameFrameWithoutTakingTheEnterTwice)
{
    chooseMenuRow(2);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(menu.repeatDelay, 10);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM) << "the Options menu did not act on the Enter";

    // The main menu was drawn first in this frame with OPTIONS current, then
    // the Options menu over it with its own first row current.
    screenView::Frame frame = screenView::grab();
    const Colour highlight = screenView::highlight(menu.menuClock);
    EXPECT_TRUE(screenView::compare(frame, "Race Type: MEDIUM", -2.2f, 1.0f, highlight).shown());
    EXPECT_TRUE(screenView::compare(frame, "BACK", -2.2f, -3.0f, grey).shown());

    // From the next frame on, the Options menu alone.
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "OPTIONS", -1.0f, 3.0f, green).shown());
    EXPECT_TRUE(screenView::compare(frame, "Race Type: MEDIUM", -2.2f, 1.0f,
                                    screenView::highlight(menu.menuClock))
                    .shown());
    EXPECT_TRUE(screenView::compare(frame, "Sound: OFF", -2.2f, 0.0f, grey).shown());
}

TEST_F(TitleMenuTest, ChoosingHighScoresOpensTheTableWithADelayOfFortyCountedDownTwice)
{
    chooseMenuRow(3);
    EXPECT_TRUE(screens.highScoresShown);
    EXPECT_EQ(menu.repeatDelay, 39) << "40, lowered once by the table in the same frame";
    EXPECT_EQ(menu.currentItem, 3);
    // Drawn in the same frame, under the main menu drawn before it.
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "Press ENTER to go back", -2.4f, -3.0f, Colour{1, 0, 1})
                    .shown());
    runFrames(1);
    EXPECT_EQ(menu.repeatDelay, 37);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "HIGH SCORES", -2.0f, 3.0f, green).shown());
}

TEST_F(TitleMenuTest, ChoosingSinglePlayerStartsARaceAndDrawsItsFirstFrame)
{
    race.raceFrames = 300;
    chooseMenuRow(1);
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
    chooseMenuRow(4);
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
    screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::linePixels(frame, -2.2f, -2.0f, screenView::highlight(menu.menuClock)),
              0);
    EXPECT_EQ(screenView::linePixels(frame, -2.2f, 1.0f, grey), 0);
}

TEST_F(TitleMenuTest, ChoosingQuitWithSoundOffPlaysNothing)
{
    settings.soundOn = false;
    chooseMenuRow(4);
    EXPECT_TRUE(screens.exitScreenShown);
    EXPECT_TRUE(testHooks::soundsRequested().empty());
}

TEST_F(TitleMenuTest, QuitChosenWithALeftClickStillHeldInTheNextFrameEndsTheGame)
{
    screenView::pointMouseAt(-0.5f, -2.0f);
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
    holdKeyForAFrame(VK_DOWN);
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
    holdKeyForAFrame(VK_ESCAPE);
    ASSERT_FALSE(screens.optionsShown);

    screenView::Frame frame = screenView::grab();
    Colour highlight = screenView::highlight(menu.menuClock);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_TRUE(screenView::compare(frame, rows[row - 1], -2.2f, 2.0f - row, grey).shown())
            << row;
        EXPECT_EQ(screenView::markerPixels(frame, 2.0 - row, highlight), 0) << row;
    }
    EXPECT_GT(screenView::markerPixels(frame, -3.0, highlight), 10) << "torus at -3";
    EXPECT_EQ(menu.currentItem, 1);

    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, rows[0], -2.2f, 1.0f, screenView::highlight(menu.menuClock))
            .shown());
}

}  // namespace
