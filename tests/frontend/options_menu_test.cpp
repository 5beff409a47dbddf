// The Options menu: the race type with its bar target, the sound switch,
// the ways on to Controls and Graphics and back, and its key delays.
#include "frontend/options_menu.h"

#include "frontend/menu.h"
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

const char* const raceTypeTexts[5] = {"", "Race Type: SHORT", "Race Type: MEDIUM",
                                      "Race Type: LONG", "Race Type: JOURNEY"};

struct OptionsMenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(640, 480);
        settings.raceType = RaceType::SHORT;
        screens.optionsShown = true;
        menu.currentItem = 1;
    }

    // The frames (1-based) in which the race type changed, holding `key`
    // for `frames` frames; `repeat` presses it again before every frame,
    // as the desktop's key repeat does.
    std::vector<int> raceTypeSteps(int key, int frames, bool repeat)
    {
        std::vector<int> steps;
        pressKey(key);
        for (int frame = 1; frame <= frames; ++frame) {
            if (repeat)
                pressKey(key);
            int before = settings.raceType;
            runFrames(1);
            if (settings.raceType != before)
                steps.push_back(frame);
        }
        releaseKey(key);
        return steps;
    }
};

void pointAtBand(int band) { screenView::pointMouseAt(-0.55f, 2.0f - band); }

TEST_F(OptionsMenuTest, TheMenuShowsItsTitleAndRowsWithTheCurrentRowHighlighted)
{
    settings.soundOn = true;
    menu.currentItem = 3;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    const Colour highlight = screenView::highlight(menu.menuClock);
    EXPECT_TRUE(screenView::compare(frame, "OPTIONS", -1.0f, 3.0f, green).shown());
    EXPECT_TRUE(screenView::compare(frame, "Race Type: SHORT", -2.2f, 1.0f, grey).shown());
    EXPECT_TRUE(screenView::compare(frame, "Sound: ON", -2.2f, 0.0f, grey).shown());
    EXPECT_TRUE(screenView::compare(frame, "CONTROLS", -2.2f, -1.0f, highlight).shown());
    EXPECT_TRUE(screenView::compare(frame, "GRAPHICS", -2.2f, -2.0f, grey).shown());
    EXPECT_TRUE(screenView::compare(frame, "BACK", -2.2f, -3.0f, grey).shown());
    EXPECT_GT(screenView::markerPixels(frame, -1.0, highlight), 10) << "the sphere";

    settings.soundOn = false;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "Sound: OFF", -2.2f, 0.0f, grey).shown());
}

TEST_F(OptionsMenuTest, EnterOnTheRaceTypeCyclesThroughAllFourAndTheRowFollowsAFrameLater)
{
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        const int before = settings.raceType;
        chooseMenuRow(1);
        seen.push_back(settings.raceType);
        // The row was drawn before the key: it still shows the old type.
        screenView::Frame frame = screenView::grab();
        EXPECT_TRUE(screenView::compare(frame, raceTypeTexts[before], -2.2f, 1.0f,
                                        screenView::highlight(menu.menuClock))
                        .shown());
        runFrames(1);
        frame = screenView::grab();
        EXPECT_TRUE(screenView::compare(frame, raceTypeTexts[settings.raceType], -2.2f, 1.0f,
                                        screenView::highlight(menu.menuClock))
                        .shown());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_TRUE(screens.optionsShown);
}

TEST_F(OptionsMenuTest, LeftFromShortGivesJourneyAndRightFromJourneyGivesShort)
{
    holdKeyForAFrame(VK_LEFT);
    EXPECT_EQ(settings.raceType, RaceType::JOURNEY);
    EXPECT_EQ(menu.repeatDelay, 13);

    menu.repeatDelay = 0;
    holdKeyForAFrame(VK_RIGHT);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(menu.repeatDelay, 10);

    menu.repeatDelay = 0;
    holdKeyForAFrame(VK_RIGHT);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM);
}

TEST_F(OptionsMenuTest, TheBarTargetFollowsTheRaceTypeShown)
{
    const float targets[5] = {0.0f, 2.0f, 4.0f, 6.0f, 100000000.0f};
    for (int type = RaceType::SHORT; type <= RaceType::JOURNEY; ++type) {
        settings.raceType = type;
        race.barTarget = -1.0f;
        runFrames(1);
        EXPECT_EQ(race.barTarget, targets[type]) << type;
    }
}

TEST_F(OptionsMenuTest, ARaceTypeOutOfRangeShowsNoTextAndIsWrappedWithItsTarget)
{
    settings.raceType = 5;
    race.barTarget = 7.0f;
    runFrames(1);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(race.barTarget, 2.0f) << "the repaired type brings its bar";
    screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::linePixels(frame, -2.2f, 1.0f, screenView::highlight(menu.menuClock)), 0);
    runFrames(1);
    EXPECT_EQ(race.barTarget, 2.0f);
}

TEST_F(OptionsMenuTest, TheBarTargetIsNotSetWhileTheMenuIsNotShown)
{
    screens.optionsShown = false;
    race.barTarget = 7.0f;
    runFrames(2);
    EXPECT_EQ(race.barTarget, 7.0f);
}

TEST_F(OptionsMenuTest, TurningTheSoundOffBleepsTurningItOnDoesNot)
{
    settings.soundOn = true;
    chooseMenuRow(2);
    EXPECT_FALSE(settings.soundOn);
    ASSERT_EQ(testHooks::soundsRequested().size(), 1u);
    const std::string bleep = testHooks::soundsRequested()[0];
    EXPECT_TRUE(bleep == "Data/Bleep.wav" || bleep == "Data/Bleep2.wav") << bleep;

    chooseMenuRow(2);
    EXPECT_TRUE(settings.soundOn);
    EXPECT_EQ(testHooks::soundsRequested().size(), 1u);
}

TEST_F(OptionsMenuTest, AKeptLeftArrowStepsNoFasterThanEveryThirteenFramesAndRightEveryTen)
{
    settings.raceType = RaceType::JOURNEY;
    // The Left entry is cleared after every front-end frame: only the key
    // repeat keeps it down.
    EXPECT_EQ(raceTypeSteps(VK_LEFT, 30, true), (std::vector<int>{1, 14, 27}));
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(raceTypeSteps(VK_LEFT, 5, false), (std::vector<int>{}))
        << "a Left press is used up by the frame it arrives in, acted on or not";

    menu.repeatDelay = 0;
    EXPECT_EQ(raceTypeSteps(VK_RIGHT, 25, false), (std::vector<int>{1, 11, 21}));
    EXPECT_EQ(settings.raceType, RaceType::JOURNEY);
}

TEST_F(OptionsMenuTest, LeftAndRightOnOtherRowsOnlySetTheDelay)
{
    menu.currentItem = 2;
    holdKeyForAFrame(VK_LEFT);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(menu.repeatDelay, 13);
    EXPECT_FALSE(settings.soundOn);

    menu.repeatDelay = 0;
    holdKeyForAFrame(VK_RIGHT);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(menu.repeatDelay, 10);
}

TEST_F(OptionsMenuTest, AFrameWithEnterTakesNoLeftOrRightAndAFrameWithLeftNoRight)
{
    pressKey(VK_RETURN);
    pressKey(VK_RIGHT);
    runFrames(1);
    releaseKey(VK_RETURN);
    releaseKey(VK_RIGHT);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM) << "Enter only";

    menu.repeatDelay = 0;
    pressKey(VK_LEFT);
    pressKey(VK_RIGHT);
    runFrames(1);
    EXPECT_EQ(settings.raceType, RaceType::SHORT) << "Left only";
    EXPECT_EQ(menu.repeatDelay, 13);
}

TEST_F(OptionsMenuTest, ARightClickOnTheRaceTypeStepsItBackOnAnotherRowItOnlyMovesTheHighlight)
{
    settings.raceType = RaceType::LONG;
    menu.currentItem = 4;
    pointAtBand(1);
    pressRightButton();
    runFrames(1);
    releaseRightButton();
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM);

    menu.repeatDelay = 0;
    pointAtBand(2);
    pressRightButton();
    runFrames(1);
    releaseRightButton();
    EXPECT_EQ(menu.currentItem, 2);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM);
    EXPECT_FALSE(settings.soundOn);
    EXPECT_TRUE(screens.optionsShown);
}

TEST_F(OptionsMenuTest, ControlsAndGraphicsOpenTheirMenusOnTheirFirstRow)
{
    chooseMenuRow(3);
    EXPECT_TRUE(screens.controlsShown);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(menu.repeatDelay, 10);

    screens.controlsShown = false;
    screens.optionsShown = true;
    chooseMenuRow(4);
    EXPECT_TRUE(screens.graphicsShown);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
}

TEST_F(OptionsMenuTest, BackReturnsToTheMainMenuWithSinglePlayerHighlighted)
{
    chooseMenuRow(5);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_TRUE(screens.frontEnd);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "SINGLE PLAYER", -2.2f, 1.0f,
                                    screenView::highlight(menu.menuClock))
                    .shown());
}

TEST_F(OptionsMenuTest, TheHelpScreenHidesTheMenuAndItsKeys)
{
    screens.helpShown = true;
    holdKeyForAFrame(VK_RETURN);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::linePixels(frame, -1.0f, 3.0f, green, 120), 0);
}

}  // namespace
