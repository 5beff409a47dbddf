// Starting a race, the race types, and what a race frame keeps or moves.
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_script.h"

#include <GL/gl.h>

#include <climits>
#include <cstring>

using screenView::Colour;
using screenView::worldFrame;

// No window here: nothing has seeded the generator, so the field must hold
// the first 40 numbers of the unseeded sequence (the same as seed 1).
TEST(ObstacleField, StartsWhereTheUnseededGeneratorPutsIt)
{
    seedGameRandom(1);
    for (int row = 0; row < fieldRows; ++row) {
        SCOPED_TRACE(row);
        const int along = gameRandom() % 50 - 25;
        const int across = gameRandom() % 30 - 15;
        EXPECT_EQ(field[row].along, static_cast<float>(along));
        EXPECT_EQ(field[row].across, static_cast<float>(across));
    }
}

struct RaceSetUp : RaceTest {};

TEST(HighScoreRows, FollowTheRaceTypesAndNothingElse)
{
    EXPECT_EQ(highScoreFor(1), &highScores.rows[0]);
    EXPECT_EQ(highScoreFor(2), &highScores.rows[1]);
    EXPECT_EQ(highScoreFor(3), &highScores.rows[2]);
    EXPECT_EQ(highScoreFor(4), &highScores.rows[3]);
    for (int raceType : {0, 5, -1, -49, 100})
        EXPECT_EQ(highScoreFor(raceType), nullptr) << raceType;
}

TEST_F(RaceSetUp, AStartSetsTheRaceOfEachTypeAndKeepsWhatItShouldKeep)
{
    const float bombs[] = {0.0f, 2.0f, 4.0f, 0.0f};
    const float bar[] = {1.0f, 1.0f, 1.0f, 0.00001f};
    const float target[] = {2.0f, 4.0f, 6.0f, 100000000.0f};
    for (int type = RaceType::SHORT; type <= RaceType::JOURNEY; ++type) {
        SCOPED_TRACE(type);
        race = RaceState{};
        race.raceClock = 5e-11f;
        race.raceFrames = 999;
        race.shipSpeed = 2.0f;
        race.steerVelocity = -7.0f;
        race.skyLevel = 0.1f;
        race.skyRising = true;
        race.lightning = true;
        race.barTarget = 123.0f;
        menu.currentItem = 4;
        screens.frontEnd = true;
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        Obstacle extras[5];
        std::memcpy(extras, &field[fieldObstacles], sizeof extras);
        HighScoreTable table = highScores;

        settings.raceType = type;
        startRace();

        EXPECT_EQ(race.bombs, bombs[type - 1]);
        EXPECT_EQ(race.barLevel, bar[type - 1]);
        EXPECT_EQ(race.raceClock, 0.0f);
        EXPECT_EQ(race.raceFrames, 0);
        EXPECT_EQ(race.shipSpeed, 0.0f);
        EXPECT_EQ(race.steerVelocity, 0.0f);
        EXPECT_EQ(race.skyLevel, 0.5f);
        EXPECT_FALSE(race.skyRising);
        EXPECT_TRUE(race.lightning) << "the lightning carries over";
        EXPECT_EQ(race.barTarget, target[type - 1]) << "each race brings its own bar";
        EXPECT_EQ(menu.currentItem, 1);
        EXPECT_FALSE(screens.frontEnd);
        GLfloat clear[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_EQ(clear[0], 0.0f);
        EXPECT_EQ(clear[1], 0.5f);
        EXPECT_EQ(clear[2], 0.0f);
        EXPECT_EQ(clear[3], 0.5f);
        EXPECT_EQ(std::memcmp(extras, &field[fieldObstacles], sizeof extras), 0)
            << "the extras stay where the last race left them";
        EXPECT_TRUE(raceScript::sameTable(table, highScores));
    }
}

TEST_F(RaceSetUp, AStartThrowsTheFifteenFieldShapesBackAndSideways)
{
    for (int seed = 1; seed <= 20; ++seed) {
        for (int row = 0; row < fieldObstacles; ++row) {
            field[row].along = 10.0f;
            field[row].across = 0.0f;
        }
        seedGameRandom(static_cast<unsigned>(seed));
        startRaceOf(RaceType::SHORT);
        seedGameRandom(static_cast<unsigned>(seed));
        for (int row = 0; row < fieldObstacles; ++row) {
            SCOPED_TRACE(row);
            const int sideways = gameRandom() % 50 - 25;
            const int back = gameRandom() % 20 + 50;
            EXPECT_EQ(field[row].across, static_cast<float>(-sideways));
            EXPECT_FLOAT_EQ(field[row].along, 10.0f - static_cast<float>(back) + 0.8f);
            EXPECT_GE(field[row].across, -24.0f);
            EXPECT_LE(field[row].across, 25.0f);
        }
    }
}

TEST_F(RaceSetUp, TheRaceClockAndTheBarAdvanceOnlyAfterTheCountdown)
{
    startRaceOf(RaceType::SHORT);
    parkField();
    runFrames(201);
    EXPECT_EQ(race.raceClock, 0.0f);
    EXPECT_EQ(race.barLevel, 1.0f);

    runFrames(1);
    EXPECT_EQ(race.raceClock, 1e-13f);
    EXPECT_FLOAT_EQ(race.barLevel, 1.001f);
    race.shipSpeed = 1.0f;
    const float bar = race.barLevel;
    runFrames(1);
    EXPECT_FLOAT_EQ(race.barLevel, bar + 0.002f) << "speed x 0.001 + gameSpeed x 0.001";

    // About a tenth of a unit a frame on the shown score.
    race.shipSpeed = 0.0f;
    race.barLevel = 1.0f;
    const float clock = race.raceClock;
    runFrames(100);
    EXPECT_NEAR(race.raceClock, clock + 100 * 1e-13f, 1e-17f);
    EXPECT_NEAR(shownScore(), 10, 1);
    EXPECT_EQ(shownScore(), static_cast<int>(race.raceClock * 1e12f));
}

TEST_F(RaceSetUp, AJourneyBarNeverFills)
{
    startRaceOf(RaceType::JOURNEY);
    parkField();
    runCountdown();
    pressKey(VK_UP);
    runFrames(50);
    EXPECT_EQ(race.barLevel, 0.00001f);
    EXPECT_EQ(race.shipSpeed, 0.0f) << "the speed is fixed on a journey";
    EXPECT_GT(race.raceClock, 0.0f);
}

TEST_F(RaceSetUp, ABarExactlyAtItsTargetOrAtZeroNeitherRacesNorEnds)
{
    for (float level : {2.0f, 0.0f}) {
        SCOPED_TRACE(level);
        startRaceOf(RaceType::SHORT);
        runCountdown();
        race.barLevel = level;
        Obstacle before[fieldRows];
        std::memcpy(before, field, sizeof before);
        const int frames = race.raceFrames;
        runFrames(5);
        EXPECT_EQ(race.raceClock, 0.0f);
        EXPECT_EQ(race.barLevel, level);
        EXPECT_TRUE(raceScript::sameField(before, field)) << "no shape moves";
        EXPECT_EQ(race.raceFrames, frames + 5);
        EXPECT_FALSE(screens.nameEntryShown);
        const screenView::Frame frame = screenView::grab();
        EXPECT_FALSE(screenView::compare(frame, "Press Enter to play again...", -2.1f, 2.0f,
                                         Colour{0.0f, 0.2f, 0.0f}, worldFrame())
                         .mostlyShown());

        holdKeyForAFrame(VK_RETURN);
        EXPECT_EQ(race.raceFrames, 1) << "Enter still restarts";
    }
}

TEST_F(RaceSetUp, EnterInTheMiddleOfARaceRestartsItAtOnce)
{
    startRaceOf(RaceType::MEDIUM);
    runCountdown();
    pressKey(VK_UP);
    pressKey(VK_LEFT);
    runFrames(40);
    releaseKey(VK_UP);
    releaseKey(VK_LEFT);
    ASSERT_GT(race.raceClock, 0.0f);
    ASSERT_GT(race.shipSpeed, 0.0f);
    for (int row = 0; row < fieldRows; ++row) {
        field[row].along = 10.0f;
        field[row].across = 0.0f;
    }

    holdKeyForAFrame(VK_RETURN);
    EXPECT_EQ(race.raceFrames, 1);
    EXPECT_EQ(race.raceClock, 0.0f);
    EXPECT_EQ(race.barLevel, 1.0f);
    EXPECT_EQ(race.shipSpeed, 0.0f);
    EXPECT_EQ(race.steerVelocity, 0.0f);
    EXPECT_EQ(race.bombs, 2.0f);
    for (int row = 0; row < fieldObstacles; ++row) {
        SCOPED_TRACE(row);
        EXPECT_LE(field[row].along, 10.0f - 50.0f + 0.8f + 1e-4f);
        EXPECT_GE(field[row].along, 10.0f - 69.0f + 0.8f - 1e-4f);
    }
    for (int row = fieldObstacles; row < fieldRows; ++row)
        EXPECT_EQ(field[row].along, 10.0f) << "the extras are not scattered";

    // The start's flash covers the whole view in the restart frame.
    const screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::countIn(frame, 0, 0, width, height, 179, 77, 77), width * height);
    // The countdown runs afresh.
    runFrames(1);
    EXPECT_TRUE(
        screenView::compare(screenView::grab(), "3", -0.2f, 4.2f, Colour{1, 0, 0}, worldFrame())
            .shown());
}

TEST_F(RaceSetUp, EscapeReturnsToTheTitleAndTheRaceKeepsItsState)
{
    startRaceOf(RaceType::SHORT);
    runCountdown();
    runFrames(20);
    const RaceState before = race;
    Obstacle fieldBefore[fieldRows];
    std::memcpy(fieldBefore, field, sizeof fieldBefore);

    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_TRUE(screens.frontEnd);
    runFrames(10);
    EXPECT_TRUE(raceScript::sameRace(before, race));
    EXPECT_TRUE(raceScript::sameField(fieldBefore, field));
}

// Each frame takes the counter one step further down than it brings it
// back up, until it stands at -1; a counter already further down stays.
TEST_F(RaceSetUp, EveryRaceFrameBringsTheCursorCounterDownToMinusOneAndHoldsIt)
{
    for (int shown : {0, 1, 3, -1, -5}) {
        SCOPED_TRACE(shown);
        while (testHooks::cursorCounter() < shown)
            ShowCursor(TRUE);
        while (testHooks::cursorCounter() > shown)
            ShowCursor(FALSE);
        startRaceOf(RaceType::SHORT);
        int expected = shown;
        for (int frame = 0; frame < 6; ++frame) {
            runFrames(1);
            if (expected > -1)
                --expected;
            EXPECT_EQ(testHooks::cursorCounter(), expected) << "frame " << frame + 1;
        }
    }
}

// The settings file or a stray value may name a race type that does not
// exist: a race started with one is the race the front end repairs it to,
// from its first frame (bombs, bar and target of that type).
TEST_F(RaceSetUp, ARaceTypeOutsideTheFourStartsAsTheTypeItWrapsTo)
{
    struct Case {
        int type;
        int playedAs;
    };
    const Case cases[] = {{0, RaceType::JOURNEY},       {-1, RaceType::JOURNEY},
                          {INT_MIN, RaceType::JOURNEY}, {5, RaceType::SHORT},
                          {100, RaceType::SHORT},       {INT_MAX, RaceType::SHORT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        settings.raceType = c.type;
        race.barTarget = 0.0f;
        startRace();
        EXPECT_EQ(settings.raceType, c.playedAs);
        EXPECT_EQ(race.bombs, 0.0f);
        EXPECT_EQ(race.barLevel, c.playedAs == RaceType::JOURNEY ? 0.00001f : 1.0f);
        EXPECT_EQ(race.barTarget, c.playedAs == RaceType::JOURNEY ? 100000000.0f : 2.0f);
    }
}

// A target never set (no settings file: race type 0), or left by another
// race type, is not what the race plays to: started from the title, the
// race gets the bar of its type and is still going after the countdown,
// with no new best of 0.
TEST_F(RaceSetUp, ARaceFromTheTitleNeverPlaysToAStaleTarget)
{
    struct Case {
        int loadedType;     // as the settings file left it
        float staleTarget;  // what the bar target held before
        int titleFrames;    // front-end frames before Enter
        int raceType;       // the type raced
        float target;
    };
    const Case cases[] = {
        {0, 0.0f, 1, RaceType::JOURNEY, 100000000.0f},
        {0, 0.0f, 0, RaceType::JOURNEY, 100000000.0f},  // Enter in the very first frame
        {5, 0.0f, 1, RaceType::SHORT, 2.0f},
        {9, 0.0f, 0, RaceType::SHORT, 2.0f},
        {RaceType::JOURNEY, 0.0f, 1, RaceType::JOURNEY, 100000000.0f},
        {RaceType::SHORT, 6.0f, 1, RaceType::SHORT, 2.0f},
        {RaceType::LONG, 2.0f, 0, RaceType::LONG, 6.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.loadedType << " " << c.titleFrames);
        for (HighScoreEntry& row : highScores.rows)
            row.best = 0;
        screens = ScreenFlags{};
        menu = MenuState{};
        settings.raceType = c.loadedType;
        race.barTarget = c.staleTarget;
        runFrames(c.titleFrames);
        chooseMenuRow(1);  // SINGLE PLAYER
        ASSERT_FALSE(screens.frontEnd);
        EXPECT_EQ(settings.raceType, c.raceType);
        EXPECT_EQ(race.barTarget, c.target);
        EXPECT_EQ(race.barLevel, c.raceType == RaceType::JOURNEY ? 0.00001f : 1.0f);

        parkField();
        runCountdown();
        runFrames(30);
        EXPECT_FALSE(screens.nameEntryShown);
        EXPECT_GT(race.barLevel, 0.0f);
        EXPECT_LT(race.barLevel, race.barTarget);
        EXPECT_GT(shownScore(), 0) << "the race clock runs";
        for (const HighScoreEntry& row : highScores.rows)
            EXPECT_EQ(row.best, 0);
    }
}

// The frame function counts on these two.
TEST_F(RaceSetUp, AStartZeroesTheFrameCountAndEachRaceFrameCountsItself)
{
    startRaceOf(RaceType::LONG);
    EXPECT_EQ(race.raceFrames, 0);
    EXPECT_FALSE(screens.frontEnd);
    runFrames(7);
    EXPECT_EQ(race.raceFrames, 7);
}
