// Bombs: how many, how often, and what they throw back.
#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"

#include <vector>

struct Bombs : RaceTest {
    void startAndRace(int type)
    {
        startRaceOf(type);
        parkField();
        runCountdown();
    }

    // The frames (counted from now) on which a bomb went off, over `frames`.
    std::vector<int> holdBombKey(int frames)
    {
        std::vector<int> dropped;
        pressKey(VK_SPACE);
        for (int frame = 1; frame <= frames; ++frame) {
            const float before = race.bombs;
            runFrames(1);
            if (race.bombs < before)
                dropped.push_back(frame);
        }
        releaseKey(VK_SPACE);
        return dropped;
    }
};

TEST_F(Bombs, WithNoBombsLeftTheKeyDoesNothing)
{
    startAndRace(RaceType::SHORT);
    for (int row = 0; row < fieldObstacles; ++row)
        field[row].along = 0.0f;
    EXPECT_TRUE(holdBombKey(50).empty());
    EXPECT_EQ(race.bombs, 0.0f);
    EXPECT_EQ(menu.repeatDelay, 0);
    EXPECT_NEAR(field[0].along, 40.0f, 1e-3f) << "nothing thrown back";
}

TEST_F(Bombs, HeldTheKeyDropsOneBombEveryFortyFramesUntilNoneAreLeft)
{
    startAndRace(RaceType::LONG);
    EXPECT_EQ(race.bombs, 4.0f);
    EXPECT_EQ(holdBombKey(200), (std::vector<int>{1, 41, 81, 121}));
    EXPECT_EQ(race.bombs, 0.0f);

    startAndRace(RaceType::MEDIUM);
    EXPECT_EQ(holdBombKey(100), (std::vector<int>{1, 41}));
}

TEST_F(Bombs, AtSpeedTwoTheDelayIsHalved)
{
    settings.gameSpeed = 2.0f;
    startAndRace(RaceType::LONG);
    holdBombKey(1);
    EXPECT_EQ(menu.repeatDelay, 20);
    EXPECT_EQ(holdBombKey(100), (std::vector<int>{20, 40, 60}));
}

TEST_F(Bombs, NoBombWithinTheRepeatDelay)
{
    startAndRace(RaceType::MEDIUM);
    menu.repeatDelay = 5;
    // The frame counts the delay down before the race looks at it.
    EXPECT_EQ(holdBombKey(10), (std::vector<int>{5}));
}

TEST_F(Bombs, ABombThrowsTheFifteenFieldShapesBackButNotTheExtras)
{
    startAndRace(RaceType::LONG);
    for (int row = 0; row < fieldRows; ++row) {
        field[row].along = 0.0f;
        field[row].across = 0.0f;
    }
    holdBombKey(1);
    for (int row = 0; row < fieldObstacles; ++row) {
        SCOPED_TRACE(row);
        // Thrown back 50 to 69, then advanced twice: by the bomb's update
        // and by the racing step of the same frame.
        EXPECT_LE(field[row].along, -50.0f + 1.6f + 1e-4f);
        EXPECT_GE(field[row].along, -69.0f + 1.6f - 1e-4f);
        EXPECT_GE(field[row].across, -24.0f);
        EXPECT_LE(field[row].across, 25.0f);
    }
    for (int row = fieldObstacles; row < fieldRows; ++row)
        EXPECT_FLOAT_EQ(field[row].along, 0.8f);

    // The frame flashes reddish.
    const screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::countIn(frame, 580, 100, 40, 40, 179, 77, 77) == 1600);
}
