// The Options menu: the race type with its bar target, the sound switch,
// the ways on to Controls and Graphics and back, and its key delays.
#include "frontend/options_menu.h"

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
constexpr Rgb grey{51, 51, 51};

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

    void choose(int row)
    {
        menu.currentItem = row;
        menu.repeatDelay = 0;
        pressKey(VK_RETURN);
        runFrames(1);
        releaseKey(VK_RETURN);
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

void pointAtBand(int band)
{
    WindowPoint p = frontEndPoint(-0.55, 2.0 - band);
    moveMouse(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
}

TEST_F(OptionsMenuTest, TheMenuShowsItsTitleAndRowsWithTheCurrentRowHighlighted)
{
    settings.soundOn = true;
    menu.currentItem = 3;
    runFrames(1);
    FrameCapture frame = captureFrame();
    const Rgb highlight = highlightColour(menu.menuClock);
    EXPECT_EQ(textMismatch(frame, -1.0f, 3.0f, green, "OPTIONS"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, grey, "Race Type: SHORT"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, 0.0f, grey, "Sound: ON"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, -1.0f, highlight, "CONTROLS"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, -2.0f, grey, "GRAPHICS"), 0);
    EXPECT_EQ(textMismatch(frame, -2.2f, -3.0f, grey, "BACK"), 0);
    EXPECT_GT(markerPixels(frame, -1.0, highlight), 10) << "the sphere";

    settings.soundOn = false;
    runFrames(1);
    frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -2.2f, 0.0f, grey, "Sound: OFF"), 0);
}

TEST_F(OptionsMenuTest, EnterOnTheRaceTypeCyclesThroughAllFourAndTheRowFollowsAFrameLater)
{
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        const int before = settings.raceType;
        choose(1);
        seen.push_back(settings.raceType);
        // The row was drawn before the key: it still shows the old type.
        FrameCapture frame = captureFrame();
        EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlightColour(menu.menuClock),
                               raceTypeTexts[before]), 0);
        runFrames(1);
        frame = captureFrame();
        EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlightColour(menu.menuClock),
                               raceTypeTexts[settings.raceType]), 0);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_TRUE(screens.optionsShown);
}

TEST_F(OptionsMenuTest, LeftFromShortGivesJourneyAndRightFromJourneyGivesShort)
{
    pressKey(VK_LEFT);
    runFrames(1);
    releaseKey(VK_LEFT);
    EXPECT_EQ(settings.raceType, RaceType::JOURNEY);
    EXPECT_EQ(menu.repeatDelay, 13);

    menu.repeatDelay = 0;
    pressKey(VK_RIGHT);
    runFrames(1);
    releaseKey(VK_RIGHT);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(menu.repeatDelay, 10);

    menu.repeatDelay = 0;
    pressKey(VK_RIGHT);
    runFrames(1);
    releaseKey(VK_RIGHT);
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

TEST_F(OptionsMenuTest, ARaceTypeOutOfRangeShowsNoTextLeavesTheTargetAndIsWrappedForTheNextFrame)
{
    settings.raceType = 5;
    race.barTarget = 7.0f;
    runFrames(1);
    EXPECT_EQ(race.barTarget, 7.0f);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    FrameCapture frame = captureFrame();
    EXPECT_EQ(textPixels(frame, -2.2f, 1.0f, highlightColour(menu.menuClock)), 0);
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
    choose(2);
    EXPECT_FALSE(settings.soundOn);
    ASSERT_EQ(testHooks::soundsRequested().size(), 1u);
    const std::string bleep = testHooks::soundsRequested()[0];
    EXPECT_TRUE(bleep == "Data/Bleep.wav" || bleep == "Data/Bleep2.wav") << bleep;

    choose(2);
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
    pressKey(VK_LEFT);
    runFrames(1);
    releaseKey(VK_LEFT);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    EXPECT_EQ(menu.repeatDelay, 13);
    EXPECT_FALSE(settings.soundOn);

    menu.repeatDelay = 0;
    pressKey(VK_RIGHT);
    runFrames(1);
    releaseKey(VK_RIGHT);
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
    choose(3);
    EXPECT_TRUE(screens.controlsShown);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(menu.repeatDelay, 10);

    screens.controlsShown = false;
    screens.optionsShown = true;
    choose(4);
    EXPECT_TRUE(screens.graphicsShown);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
}

TEST_F(OptionsMenuTest, BackReturnsToTheMainMenuWithSinglePlayerHighlighted)
{
    choose(5);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_TRUE(screens.frontEnd);
    runFrames(1);
    FrameCapture frame = captureFrame();
    EXPECT_EQ(textMismatch(frame, -2.2f, 1.0f, highlightColour(menu.menuClock), "SINGLE PLAYER"),
              0);
}

TEST_F(OptionsMenuTest, TheHelpScreenHidesTheMenuAndItsKeys)
{
    screens.helpShown = true;
    pressKey(VK_RETURN);
    runFrames(1);
    releaseKey(VK_RETURN);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);
    FrameCapture frame = captureFrame();
    EXPECT_EQ(textPixels(frame, -1.0f, 3.0f, green, 120), 0);
}

}  // namespace
