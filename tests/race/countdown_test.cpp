// The intro lines and the "3", "2", "1", "GO" countdown, frame by frame.
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"

#include <cmath>
#include <string>

using screenView::Colour;
using screenView::worldFrame;

namespace {

enum class Numeral { none, three, two, one, go };

struct Shown {
    bool three, two, one, go;
    bool noneAtAll;
};

Shown readCountdown()
{
    const screenView::Frame frame = screenView::grab();
    const auto three = screenView::compare(frame, "3", -0.2f, 4.2f, Colour{1, 0, 0}, worldFrame());
    const auto two = screenView::compare(frame, "2", -0.2f, 4.2f, Colour{1, 1, 0}, worldFrame());
    const auto one = screenView::compare(frame, "1", -0.2f, 4.2f, Colour{0, 1, 0}, worldFrame());
    const auto go = screenView::compare(frame, "GO", -0.4f, 4.2f, Colour{0, 1, 0}, worldFrame());
    return Shown{three.shown(), two.shown(), one.shown(), go.shown(),
                 three.absent() && two.absent() && one.absent() && go.absent()};
}

// What the countdown shows on the frame counted `frame` at the speed
// factor `speed`: "3" before 60 / speed, "2" and "1" strictly between the
// steps, "GO" from just after 180 / speed until the intro ends.
Numeral expectedAt(int frame, float speed)
{
    const float step = 60 / speed;
    if (frame >= 200 / speed)
        return Numeral::none;
    if (frame < step)
        return Numeral::three;
    if (frame > step && frame < 2 * step)
        return Numeral::two;
    if (frame > 2 * step && frame < 3 * step)
        return Numeral::one;
    if (frame > 3 * step)
        return Numeral::go;
    return Numeral::none;
}

}  // namespace

struct Countdown : RaceTest {
    // Runs a race from its start frame by frame and checks the numeral and
    // the frame on which the shapes first move.
    void checkCountdown(float speed, int firstMovingFrame)
    {
        settings.gameSpeed = speed;
        startRaceOf(RaceType::SHORT);
        for (int row = 0; row < fieldRows; ++row) {
            field[row].along = 0.0f;
            field[row].across = 10.0f;
        }
        int moved = 0;
        for (int frame = 1; frame <= firstMovingFrame + 2; ++frame) {
            SCOPED_TRACE(frame);
            runFrames(1);
            ASSERT_EQ(race.raceFrames, frame);
            const Shown shown = readCountdown();
            switch (expectedAt(frame, speed)) {
            case Numeral::three:
                EXPECT_TRUE(shown.three && !shown.two && !shown.one && !shown.go);
                break;
            case Numeral::two:
                EXPECT_TRUE(!shown.three && shown.two && !shown.one && !shown.go);
                break;
            case Numeral::one:
                EXPECT_TRUE(!shown.three && !shown.two && shown.one && !shown.go);
                break;
            case Numeral::go:
                EXPECT_TRUE(!shown.three && !shown.two && !shown.one && shown.go);
                break;
            case Numeral::none: EXPECT_TRUE(shown.noneAtAll); break;
            }
            if (moved == 0 && field[0].along != 0.0f)
                moved = frame;
        }
        EXPECT_EQ(moved, firstMovingFrame);
    }
};

TEST_F(Countdown, AtSpeedOneItCountsThreeTwoOneGoAndTheRaceBeginsOnFrame202)
{
    // "3" 1-59, none 60, "2" 61-119, none 120, "1" 121-179, none 180,
    // "GO" 181-199, none 200 and 201; shapes move from 202.
    EXPECT_EQ(expectedAt(59, 1.0f), Numeral::three);
    EXPECT_EQ(expectedAt(60, 1.0f), Numeral::none);
    EXPECT_EQ(expectedAt(61, 1.0f), Numeral::two);
    EXPECT_EQ(expectedAt(121, 1.0f), Numeral::one);
    EXPECT_EQ(expectedAt(181, 1.0f), Numeral::go);
    EXPECT_EQ(expectedAt(199, 1.0f), Numeral::go);
    EXPECT_EQ(expectedAt(200, 1.0f), Numeral::none);
    checkCountdown(1.0f, 202);
}

TEST_F(Countdown, AtSpeedTwoItCountsInHalfTheFrames)
{
    // "3" 1-29, "2" 31-59, "1" 61-89, "GO" 91-99; shapes move from 102.
    EXPECT_EQ(expectedAt(29, 2.0f), Numeral::three);
    EXPECT_EQ(expectedAt(30, 2.0f), Numeral::none);
    EXPECT_EQ(expectedAt(91, 2.0f), Numeral::go);
    EXPECT_EQ(expectedAt(100, 2.0f), Numeral::none);
    checkCountdown(2.0f, 102);
}

TEST_F(Countdown, TheControlsWorkFromTheSameFrameAsTheShapes)
{
    startRaceOf(RaceType::SHORT);
    parkField();
    pressKey(VK_LEFT);
    pressKey(VK_UP);
    runFrames(201);
    EXPECT_EQ(race.steerVelocity, 0.0f);
    EXPECT_EQ(race.shipSpeed, 0.0f);
    runFrames(1);
    EXPECT_GT(race.steerVelocity, 0.0f);
    EXPECT_GT(race.shipSpeed, 0.0f);
}

TEST_F(Countdown, TheIntroNamesTheBestTheMakerAndTheGameUntilItsLastFrame)
{
    highScores.rows[1].best = 1234;
    highScores.rows[3].best = 567;
    for (int type : {RaceType::MEDIUM, RaceType::JOURNEY}) {
        SCOPED_TRACE(type);
        startRaceOf(type);
        const std::string best = type == RaceType::JOURNEY ? "The current high score is 567"
                                                           : "The current best time is 1234";
        for (int frame = 1; frame <= 200; ++frame) {
            const float clockBefore = menu.menuClock;
            runFrames(1);
            if (frame != 1 && frame != 150 && frame != 199 && frame != 200)
                continue;
            SCOPED_TRACE(frame);
            // The title's blue pulses with the clock as it stood when printed.
            const float t = static_cast<float>((clockBefore + 0.1f) + 0.06);
            const screenView::Frame picture = screenView::grab();
            const auto bestLine =
                screenView::compare(picture, best, -2.2f, 5.0f, Colour{0, 0, 0.5f}, worldFrame());
            const auto maker = screenView::compare(picture, "Made By: Kelvorn", -0.2f, 0.5f,
                                                   Colour{1, 0, 0}, worldFrame());
            const auto title = screenView::compare(picture, "        Trigonix", -2.4f, 8.5f,
                                                   Colour{0, 0, std::sin(t) + 0.3f}, worldFrame());
            if (frame < 200) {
                EXPECT_TRUE(bestLine.shown());
                EXPECT_TRUE(maker.shown());
                EXPECT_TRUE(title.shown());
            } else {
                EXPECT_TRUE(bestLine.absent());
                EXPECT_TRUE(maker.absent());
            }
        }
    }
}
