// One frame: the global keys, the routing by the screen flags, the
// one-shot inputs, and the frame-rate compensation.
#include "app/game_window.h"
#include "game/app_state.h"
#include "game/frame_rate.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/game_fixture.h"

#include <GL/gl.h>

#include <cmath>

struct FrameTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(320, 240);
    }

    // A race under way past its first seconds, as the speed tuning wants.
    void raceUnderWay()
    {
        screens.frontEnd = false;
        race.barLevel = 0.5f;
        race.barTarget = 1e9f;
        race.raceClock = 1e-10f;  // a shown score of 100
    }
};

// However long it is held, the Escape that closes the help shows the screen
// beneath; going on from there takes a new press.
TEST_F(FrameTest, TheEscapeThatClosesTheHelpDoesNothingMore)
{
    screens.optionsShown = true;
    screens.helpShown = true;
    pressKey(VK_ESCAPE);

    runFrames(1);
    EXPECT_FALSE(screens.helpShown);
    EXPECT_TRUE(screens.optionsShown);
    // Held as a real press is (and as the desktop repeats it).
    for (int frame = 0; frame < 40; ++frame) {
        pressKey(VK_ESCAPE);
        runFrames(1);
    }
    EXPECT_TRUE(screens.optionsShown) << "the Options menu is shown again";

    releaseKey(VK_ESCAPE);
    runFrames(1);
    EXPECT_TRUE(screens.optionsShown);
    pressKey(VK_ESCAPE);
    runFrames(1);
    EXPECT_FALSE(screens.optionsShown);
    EXPECT_TRUE(screens.frontEnd);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[3], 0.5f);
    EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
}

TEST_F(FrameTest, EscapeOnTheExitScreenEndsTheGame)
{
    screens.exitScreenShown = true;
    pressKey(VK_ESCAPE);
    runFrames(1);
    EXPECT_TRUE(app.quitRequested);
    EXPECT_TRUE(screens.exitScreenShown);
}

TEST_F(FrameTest, EscapeDuringARaceReturnsToTheTitleAndTheRaceStandsStill)
{
    startRace();
    runFrames(5);
    int framesRaced = race.raceFrames;
    EXPECT_GT(framesRaced, 0);
    screens.controlsShown = screens.graphicsShown = screens.highScoresShown = true;

    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_TRUE(screens.frontEnd);
    EXPECT_FALSE(screens.controlsShown || screens.graphicsShown || screens.highScoresShown);
    runFrames(3);
    EXPECT_EQ(race.raceFrames, framesRaced);
}

TEST_F(FrameTest, F2DuringARaceOnlySetsTheHelpWhichTheNextEscapeClears)
{
    startRace();
    holdKeyForAFrame(VK_F2);
    EXPECT_TRUE(screens.helpShown);
    EXPECT_FALSE(screens.frontEnd);

    pressKey(VK_ESCAPE);
    runFrames(1);
    EXPECT_FALSE(screens.helpShown);
    EXPECT_FALSE(screens.frontEnd) << "the first Escape only closed the help";
    const int raced = race.raceFrames;
    runFrames(5);
    EXPECT_FALSE(screens.frontEnd) << "held on, it does not leave the race";
    EXPECT_EQ(race.raceFrames, raced + 5);
    releaseKey(VK_ESCAPE);
    runFrames(1);
    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_TRUE(screens.frontEnd);
}

TEST_F(FrameTest, EnterDuringOrAfterARaceStartsItAgainWithoutAdvancingTheMenuClock)
{
    startRace();
    runFrames(30);
    ASSERT_GE(race.raceFrames, 30);

    float clock = menu.menuClock;
    pressKey(VK_RETURN);
    runFrames(1);
    // Restarted, then its first frame drawn in the same frame.
    EXPECT_EQ(race.raceFrames, 1);
    EXPECT_FALSE(input.keys[VK_RETURN]) << "Enter is consumed at the end of every frame";
    // The race frame itself may move the clock; the frame does not add its 0.1.
    float raceOnly = menu.menuClock - clock;
    EXPECT_LT(raceOnly, 0.1f - 1e-6f);

    // A held Enter repeats as the desktop repeats the key.
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(race.raceFrames, 1);
}

TEST_F(FrameTest, EnterInTheFrontEndIsNotARaceStart)
{
    screens.helpShown = true;  // a screen where Enter chooses nothing
    int before = race.raceFrames;
    pressKey(VK_RETURN);
    float clock = menu.menuClock;
    runFrames(1);
    EXPECT_FLOAT_EQ(menu.menuClock, clock + 0.1f);
    EXPECT_EQ(race.raceFrames, before);
}

TEST_F(FrameTest, F2SetsTheHelpFromEveryPath)
{
    pressKey(VK_F2);
    runFrames(1);
    EXPECT_TRUE(screens.helpShown);

    screens.helpShown = false;
    screens.nameEntryShown = true;
    float clock = menu.menuClock;
    runFrames(1);
    EXPECT_TRUE(screens.helpShown);
    EXPECT_EQ(menu.menuClock, clock) << "name entry frames do not move the menu clock";
    screens.nameEntryShown = false;

    screens.helpShown = false;
    startRace();
    runFrames(1);
    EXPECT_TRUE(screens.helpShown);
}

TEST_F(FrameTest, NameEntryFramesIgnoreEscape)
{
    screens.nameEntryShown = true;
    screens.optionsShown = true;
    pressKey(VK_ESCAPE);
    runFrames(1);
    EXPECT_TRUE(screens.optionsShown);
}

TEST_F(FrameTest, OneShotInputsAreClearedAtTheEndOfEveryFrame)
{
    screens.helpShown = true;  // a screen where Enter chooses nothing
    pressKey(VK_RETURN);
    pressKey(VK_LEFT);
    moveMouse(10, 10);
    runFrames(1);
    EXPECT_FALSE(input.keys[VK_RETURN]);
    EXPECT_FALSE(input.keys[VK_LEFT]);
    EXPECT_FALSE(input.mouseMoved);

    // In a race the Left arrow steers: it stays down.
    screens.helpShown = false;
    startRace();
    pressKey(VK_LEFT);
    runFrames(1);
    EXPECT_TRUE(input.keys[VK_LEFT]);
}

TEST_F(FrameTest, RepeatDelayCountsDownToZero)
{
    menu.repeatDelay = 3;
    runFrames(2);
    EXPECT_EQ(menu.repeatDelay, 1);
    runFrames(5);
    EXPECT_EQ(menu.repeatDelay, 0);
}

TEST_F(FrameTest, TheTipComesOnlyInTheWindowedFrontEnd)
{
    pressKey('T');
    runFrames(1);
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    const MessageBoxRecord& box = testHooks::messageBoxes()[0];
    EXPECT_EQ(box.caption, "Tip of the day!");
    EXPECT_EQ(box.style, MB_ICONINFORMATION);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_FALSE(isKeyDown('T'));

    settings.fullscreen = true;
    pressKey('T');
    runFrames(1);
    EXPECT_EQ(testHooks::messageBoxes().size(), 1u);
    settings.fullscreen = false;

    startRace();
    runFrames(1);
    EXPECT_EQ(testHooks::messageBoxes().size(), 1u);
    EXPECT_TRUE(isKeyDown('T')) << "a race leaves the key alone";
}

TEST_F(FrameTest, FramesAreCountedPerSecondAndAPauseEndsTheCountOnce)
{
    testHooks::fixClock(1000);
    frameRate.secondStamp = 1000;
    frameRate.framesThisSecond = 0;
    runFrames(10);
    EXPECT_EQ(frameRate.framesPerSecond, 0) << "no second completed yet";

    // A tip box held the game for five seconds.
    testHooks::fixClock(1005);
    runFrames(1);
    EXPECT_EQ(frameRate.framesPerSecond, 11);
    EXPECT_EQ(frameRate.secondStamp, 1005);

    runFrames(59);
    testHooks::fixClock(1006);
    runFrames(1);
    EXPECT_EQ(frameRate.framesPerSecond, 60);
}

TEST_F(FrameTest, F12InTheFirstSecondTakesTheSpeedOfNoMeasuredRate)
{
    pressKey(VK_F12);
    runFrames(1);
    EXPECT_FLOAT_EQ(settings.gameSpeed, 4.895378691f);
    frameRate.framesPerSecond = 60;
    runFrames(1);
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_TRUE(input.keys[VK_F12]) << "held, it acts every frame";
}

TEST(TargetSpeed, KeepsTheSixtyFramesASecondPaceAtAnyRate)
{
    EXPECT_FLOAT_EQ(targetSpeed(60), 1.0f);
    EXPECT_FLOAT_EQ(targetSpeed(30), 2.0f);
    EXPECT_FLOAT_EQ(targetSpeed(120), 0.5f);
    EXPECT_NEAR(targetSpeed(144), 60.0 / 144.0, 1e-7);
    EXPECT_NEAR(targetSpeed(200), 0.3, 1e-7);
    EXPECT_FLOAT_EQ(targetSpeed(0), 4.895378691f);
}

TEST_F(FrameTest, DuringARaceTheSpeedCreepsTowardsTheTargetAndDithers)
{
    raceUnderWay();
    frameRate.framesPerSecond = 30;  // target 2.0
    settings.gameSpeed = 1.0f;
    runFrames(1);
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.005f);

    for (int i = 0; i < 200; ++i) {
        raceUnderWay();
        runFrames(1);
    }
    // Half a per cent a frame up; once above, half a per cent down.
    EXPECT_NEAR(settings.gameSpeed, 2.0f, 2.0f * 0.0101f);
    float a = settings.gameSpeed;
    raceUnderWay();
    runFrames(1);
    float b = settings.gameSpeed;
    EXPECT_NE(a, b) << "it keeps dithering around the target";

    // Not before the shown score passes 20, not in the front end, not with
    // an empty bar, not during name entry.
    for (auto stop : {0, 1, 2, 3}) {
        raceUnderWay();
        settings.gameSpeed = 1.0f;
        if (stop == 0)
            race.raceClock = 2.0e-11f;
        if (stop == 1)
            screens.frontEnd = true;
        if (stop == 2)
            race.barLevel = 0.0f;
        if (stop == 3)
            screens.nameEntryShown = true;
        float before = settings.gameSpeed;
        runFrames(1);
        EXPECT_EQ(settings.gameSpeed, before) << "case " << stop;
        screens.nameEntryShown = false;
        screens.frontEnd = false;
    }
}

// The measured rate feeds the tuning; at every rate the factor settles
// where the game keeps its 60-frames-a-second pace.
TEST_F(FrameTest, AtAnyFrameRateTheSpeedSettlesWithinThreePerCentOfItsPace)
{
    for (int fps : {30, 60, 120, 144}) {
        SCOPED_TRACE(fps);
        raceUnderWay();
        settings.gameSpeed = 1.0f;
        std::time_t now = 5000;
        testHooks::fixClock(now);
        frameRate.secondStamp = now;
        frameRate.framesThisSecond = 0;
        for (int second = 0; second < 6; ++second) {
            for (int frame = 0; frame < fps; ++frame) {
                if (frame == fps - 1)
                    testHooks::fixClock(++now);
                raceUnderWay();
                runFrames(1);
            }
        }
        EXPECT_EQ(frameRate.framesPerSecond, fps);
        EXPECT_NEAR(settings.gameSpeed, 60.0 / fps, 0.03 * 60.0 / fps);
    }
}
