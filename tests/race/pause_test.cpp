// Holding End or 0 pauses the race: nothing advances, the picture stands
// with "PAUSED" over it, and letting go carries on exactly.
#include "game/frame_rate.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_script.h"

#include <vector>

using raceScript::Action;
using raceScript::Moment;
using raceScript::Step;

namespace {

// A LONG race with sound: steering both ways, speeding up, two bombs, the
// speed tuning at work (the rate counted is 30, so the factor creeps up
// once the score is above 20), lightning and thunder.
const std::vector<Step> script = {
    {205, Action::keyDown, VK_UP},    {260, Action::keyUp, VK_UP},
    {230, Action::keyDown, VK_LEFT},  {250, Action::keyUp, VK_LEFT},
    {280, Action::rightDown},         {300, Action::rightUp},
    {320, Action::keyDown, VK_SPACE}, {365, Action::keyUp, VK_SPACE},
    {400, Action::keyDown, VK_LEFT},  {420, Action::keyUp, VK_LEFT},
    {425, Action::keyDown, VK_SPACE}, {430, Action::keyUp, VK_SPACE},
    {440, Action::keyDown, VK_RIGHT}, {470, Action::keyUp, VK_RIGHT},
};

constexpr unsigned seed = 7;

}  // namespace

struct Pause : RaceTest {
    void startScriptedRace()
    {
        raceScript::startFixedRace(RaceType::LONG, seed);
        frameRate.framesPerSecond = 30;
        soundsAtStart = testHooks::soundsRequested().size();
    }

    // Runs race frames `from` to `to` of the script, recording each.
    void run(int from, int to, std::vector<Moment>& moments)
    {
        for (int frame = from; frame <= to; ++frame) {
            raceScript::deliver(script, frame);
            runFrames(1);
            moments.push_back(raceScript::momentNow(soundsAtStart, true));
        }
    }

    // The box "PAUSED" stands in, with room to spare.
    int boxLeft() const { return width / 2 - 80; }
    int boxTop() const { return height / 2 - 30; }
    static constexpr int boxWidth = 160;
    static constexpr int boxHeight = 60;

    std::size_t soundsAtStart = 0;
};

TEST_F(Pause, AHeldPauseKeyFreezesTheRaceShowsPausedAndLettingGoCarriesOnExactly)
{
    const int last = 520;
    std::vector<Moment> straight;
    startScriptedRace();
    run(1, last, straight);
    ASSERT_GT(straight.back().gameSpeed, 1.0f)
        << "the tuning is at work " << raceScript::describe(straight.back().race);
    ASSERT_GT(straight.back().sounds, 0u);

    for (int pauseKey : {VK_END, static_cast<int>('0')}) {
        SCOPED_TRACE(pauseKey);
        for (int pauseAfter : {210, 336, 450}) {
            SCOPED_TRACE(pauseAfter);
            std::vector<Moment> paused;
            startScriptedRace();
            run(1, pauseAfter, paused);
            const screenView::Frame lastShown = screenView::grab();
            const Moment before = paused.back();
            ASSERT_TRUE(raceScript::sameMoment(before, straight[pauseAfter - 1]));

            pressKey(pauseKey);
            screenView::Frame first;
            float clockInPause = 0.0f;
            float speedInPause = 0.0f;
            // Keys pressed during the pause do nothing: a bomb, steering
            // and braking, each let go again before the pause ends (a key
            // the script holds stays held).
            std::vector<int> pressed;
            for (int frame = 0; frame < 60; ++frame) {
                if (frame == 10) {
                    for (int key : {VK_SPACE, VK_LEFT, VK_DOWN}) {
                        if (!input.keys[key]) {
                            pressKey(key);
                            pressed.push_back(key);
                        }
                    }
                }
                if (frame == 30) {
                    for (int key : pressed)
                        releaseKey(key);
                }
                runFrames(1);
                const Moment now = raceScript::momentNow(soundsAtStart, false);
                EXPECT_TRUE(raceScript::sameRace(now.race, before.race))
                    << raceScript::describe(now.race);
                EXPECT_TRUE(raceScript::sameField(now.field, before.field));
                EXPECT_EQ(now.sounds, before.sounds);
                EXPECT_EQ(now.repeatDelay, before.repeatDelay == 0 ? 0 : before.repeatDelay - 1)
                    << "the delay stands where the first paused frame found it";
                const screenView::Frame picture = screenView::grab();
                if (frame == 0) {
                    first = picture;
                    clockInPause = now.menuClock;
                    speedInPause = now.gameSpeed;
                    // The race as it was last shown, with "PAUSED" over it.
                    EXPECT_EQ(screenView::differencesOutside(lastShown, picture, boxLeft(),
                                                             boxTop(), boxWidth, boxHeight),
                              0);
                    EXPECT_GT(screenView::countIn(picture, boxLeft(), boxTop(), boxWidth, boxHeight,
                                                  255, 255, 255, 0),
                              60);
                    EXPECT_GT(screenView::countIn(picture, boxLeft(), boxTop(), boxWidth, boxHeight,
                                                  0, 0, 0, 0),
                              300);
                    EXPECT_EQ(screenView::countIn(lastShown, boxLeft() + 40, boxTop() + 20, 80, 20,
                                                  0, 0, 0, 0),
                              0)
                        << "the box is the pause's own";
                } else {
                    EXPECT_TRUE(picture == first) << "the picture stands still";
                    EXPECT_EQ(now.menuClock, clockInPause);
                    // The frame function's tuning after each paused frame
                    // starts again from the same value, and is taken back
                    // when the race goes on.
                    EXPECT_EQ(now.gameSpeed, speedInPause);
                }
            }
            releaseKey(pauseKey);

            run(pauseAfter + 1, last, paused);
            ASSERT_EQ(paused.size(), straight.size());
            int mismatches = 0;
            for (size_t i = 0; i < straight.size(); ++i) {
                if (!raceScript::sameMoment(paused[i], straight[i]) && mismatches++ < 3)
                    ADD_FAILURE() << "frame " << i + 1 << ": "
                                  << raceScript::describe(paused[i].race) << " / "
                                  << raceScript::describe(straight[i].race);
            }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

TEST_F(Pause, ARaceStartedWithThePauseHeldWaitsAtItsFirstFrame)
{
    std::vector<Moment> straight;
    startScriptedRace();
    run(1, 230, straight);

    std::vector<Moment> paused;
    startScriptedRace();
    pressKey(VK_END);
    for (int frame = 0; frame < 20; ++frame) {
        runFrames(1);
        EXPECT_EQ(race.raceFrames, 0);
    }
    const screenView::Frame picture = screenView::grab();
    EXPECT_GT(
        screenView::countIn(picture, boxLeft(), boxTop(), boxWidth, boxHeight, 255, 255, 255, 0),
        60);
    releaseKey(VK_END);
    run(1, 230, paused);
    for (size_t i = 0; i < straight.size(); ++i)
        ASSERT_TRUE(raceScript::sameMoment(paused[i], straight[i])) << "frame " << i + 1;
}

TEST_F(Pause, EnterAndEscapeStillWorkDuringAPause)
{
    startRaceOf(RaceType::SHORT);
    parkField();
    runCountdown();
    runFrames(30);
    pressKey(VK_END);
    runFrames(5);
    const float clock = race.raceClock;
    ASSERT_GT(clock, 0.0f);

    holdKeyForAFrame(VK_RETURN);
    EXPECT_EQ(race.raceClock, 0.0f) << "restarted";
    EXPECT_EQ(race.raceFrames, 0) << "and held at its start";
    runFrames(3);
    EXPECT_EQ(race.raceFrames, 0);

    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_TRUE(screens.frontEnd);
    releaseKey(VK_END);
}

TEST_F(Pause, TheWindowKeepsDrawingFramesWhilePaused)
{
    startRaceOf(RaceType::SHORT);
    runFrames(10);
    pressKey(VK_END);
    const int counted = frameRate.framesThisSecond;
    runFrames(25);
    EXPECT_EQ(frameRate.framesThisSecond, counted + 25) << "the loop goes on";
    EXPECT_EQ(race.raceFrames, 10);
}

// Controls lets a player put a race key on End or 0: held, it steers,
// speeds or bombs as bound and never pauses; the other pause key still does.
TEST_F(Pause, APauseKeyThatIsAlsoARaceKeyDoesNotPause)
{
    int* const slots[] = {&settings.accelerateKey, &settings.decelerateKey, &settings.leftKey,
                          &settings.rightKey, &settings.bombKey};
    for (int pauseKey : {VK_END, static_cast<int>('0')}) {
        const int otherPauseKey = pauseKey == VK_END ? '0' : VK_END;
        for (int slot = 0; slot < 5; ++slot) {
            SCOPED_TRACE(testing::Message() << pauseKey << " as race key " << slot);
            useArrowKeysAndSpaceBar();
            *slots[slot] = pauseKey;
            startRaceOf(RaceType::MEDIUM);
            parkField();
            runCountdown();
            const int frames = race.raceFrames;
            pressKey(pauseKey);
            runFrames(10);
            releaseKey(pauseKey);
            EXPECT_EQ(race.raceFrames, frames + 10) << "not paused";
            switch (slot) {
            case 0: EXPECT_NEAR(race.shipSpeed, 0.1f, 1e-6f); break;
            case 2: EXPECT_GT(race.steerVelocity, 0.0f); break;
            case 3: EXPECT_LT(race.steerVelocity, 0.0f); break;
            case 4: EXPECT_EQ(race.bombs, 1.0f); break;
            default: break;
            }

            pressKey(otherPauseKey);
            runFrames(3);
            releaseKey(otherPauseKey);
            EXPECT_EQ(race.raceFrames, frames + 10) << "the other key still pauses";
        }
    }
}
