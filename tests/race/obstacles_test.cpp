// The obstacle field: approach, contact, drain, respawn, scatter, drift,
// and the order in which the racing step updates the rows.
#include "game/random.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"

#include <cmath>
#include <string>
#include <vector>

struct Field : RaceTest {
    void SetUp() override
    {
        RaceTest::SetUp();
        settings.raceType = RaceType::SHORT;
        race.barLevel = 1.0f;
        race.barTarget = 2.0f;
    }

    // One update of a row-1 hexagon.
    static void step(Obstacle& obstacle, bool scatter = false)
    {
        obstacle.update(0.0f, 0.0f, 0.7f, scatter, ObstacleShape::HEXAGON, readRaceControls());
    }
};

TEST_F(Field, AShapeAdvancesByItsSpeedTimesTheSpeedFactor)
{
    Obstacle shape{};
    shape.along = 0.0f;
    shape.across = 10.0f;
    step(shape);
    EXPECT_FLOAT_EQ(shape.along, 0.8f);
    race.shipSpeed = 1.0f;
    step(shape);
    EXPECT_FLOAT_EQ(shape.along, 2.6f);
    race.shipSpeed = 0.0f;
    settings.gameSpeed = 2.0f;
    step(shape);
    EXPECT_FLOAT_EQ(shape.along, 4.2f);
    EXPECT_EQ(shape.across, 10.0f);
    EXPECT_EQ(race.barLevel, 1.0f);
}

TEST_F(Field, ContactIsStrictlyInsideTheWindowAndDrainsTheBarEveryFrame)
{
    // At speed factor 1.25 a shape moves exactly 1 a frame.
    settings.gameSpeed = 1.25f;
    struct Case {
        float along, across;
        bool contact;
    };
    const Case cases[] = {
        {54.0f, 0.0f, false}, {54.5f, 0.0f, true},   {63.9f, 0.0f, true},
        {64.0f, 0.0f, false}, {60.0f, 1.5f, false},  {60.0f, -1.5f, false},
        {60.0f, 1.49f, true}, {60.0f, -1.49f, true}, {58.0f, 3.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.along) + ", " + std::to_string(c.across));
        race.barLevel = 1.0f;
        Obstacle shape{};
        shape.along = c.along;
        shape.across = c.across;
        step(shape);
        EXPECT_EQ(shape.along, c.along + 1.0f);
        if (c.contact)
            EXPECT_FLOAT_EQ(race.barLevel, 1.0f - 0.065f * 1.25f);
        else
            EXPECT_EQ(race.barLevel, 1.0f);
    }

    // Faster, each frame costs more.
    settings.gameSpeed = 1.0f;
    race.shipSpeed = 1.0f;
    race.barLevel = 1.0f;
    Obstacle shape{};
    shape.along = 57.0f;
    shape.across = 0.0f;
    step(shape);
    EXPECT_FLOAT_EQ(race.barLevel, 1.0f - 0.085f);
}

TEST_F(Field, DrivingStraightThroughAShapeCostsAboutEightTenthsOfTheBar)
{
    Obstacle shape{};
    shape.along = 40.0f;
    shape.across = 0.0f;
    int frames = 0;
    for (int i = 0; i < 40; ++i) {
        const float before = race.barLevel;
        step(shape);
        if (race.barLevel < before) {
            ++frames;
            EXPECT_FLOAT_EQ(before - race.barLevel, 0.065f);
        }
    }
    EXPECT_GE(frames, 12);
    EXPECT_LE(frames, 13);
    EXPECT_NEAR(1.0f - race.barLevel, 0.8f, 0.05f);
}

TEST_F(Field, OnAJourneyOneFrameOfContactEndsTheRace)
{
    settings.raceType = RaceType::JOURNEY;
    race.barLevel = 0.00001f;
    Obstacle shape{};
    shape.along = 58.0f;
    shape.across = 0.0f;
    step(shape);
    EXPECT_LT(race.barLevel, 0.0f);
}

TEST_F(Field, ContactPlaysAnExplosionEveryFrameOnlyWithSoundOn)
{
    settings.soundOn = true;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        seedGameRandom(seed);
        const std::string expected = gameRandom() % 2 == 1 ? "Data/Boom1.wav" : "Data/Boom2.wav";
        seedGameRandom(seed);
        Obstacle shape{};
        shape.along = 58.0f;
        shape.across = 0.0f;
        const size_t before = testHooks::soundsRequested().size();
        step(shape);
        ASSERT_EQ(testHooks::soundsRequested().size(), before + 1);
        EXPECT_EQ(testHooks::soundsRequested().back(), expected);
    }

    // Without sound nothing is played and no number is drawn for it: the
    // explosion takes its 15 draws (3 divisors, 4 corners of 3).
    settings.soundOn = false;
    seedGameRandom(99);
    std::vector<int> sequence;
    for (int i = 0; i < 16; ++i)
        sequence.push_back(gameRandom());
    seedGameRandom(99);
    Obstacle shape{};
    shape.along = 58.0f;
    shape.across = 0.0f;
    const size_t before = testHooks::soundsRequested().size();
    step(shape);
    EXPECT_EQ(testHooks::soundsRequested().size(), before);
    EXPECT_EQ(gameRandom(), sequence[15]);
}

TEST_F(Field, AShapeThatHasPassedTheShipComesBackFarAway)
{
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        seedGameRandom(seed);
        const int shift = gameRandom() % 70 - 35;
        seedGameRandom(seed);
        Obstacle shape{};
        shape.along = 72.5f;
        shape.across = 5.0f;
        step(shape);
        EXPECT_EQ(shape.along, -14.0f);
        EXPECT_EQ(shape.across, 5.0f + static_cast<float>(shift));
    }
    // 73 itself has not passed.
    settings.gameSpeed = 1.25f;
    Obstacle shape{};
    shape.along = 72.0f;
    shape.across = 5.0f;
    step(shape);
    EXPECT_EQ(shape.along, 73.0f);
}

TEST_F(Field, AShapeThatHasStrayedComesBackInTheMiddle)
{
    for (float across : {50.5f, -50.5f, 300.0f}) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            seedGameRandom(seed);
            const int place = gameRandom() % 60 - 30;
            seedGameRandom(seed);
            Obstacle shape{};
            shape.along = 20.0f;
            shape.across = across;
            step(shape);
            EXPECT_EQ(shape.along, -14.0f);
            EXPECT_EQ(shape.across, static_cast<float>(place));
        }
    }
    Obstacle edge{};
    edge.along = 20.0f;
    edge.across = 50.0f;
    step(edge);
    EXPECT_FLOAT_EQ(edge.along, 20.8f) << "50 itself is still on the track";
}

TEST_F(Field, AShapeShiftedOutOfBoundsByItsRespawnIsPlacedAgainAtOnce)
{
    // Find a seed whose respawn shift takes a shape at 40 past 50.
    unsigned seed = 1;
    for (; seed < 1000; ++seed) {
        seedGameRandom(seed);
        if (40 + gameRandom() % 70 - 35 > 50)
            break;
    }
    seedGameRandom(seed);
    gameRandom();
    const int place = gameRandom() % 60 - 30;
    seedGameRandom(seed);
    Obstacle shape{};
    shape.along = 72.5f;
    shape.across = 40.0f;
    step(shape);
    EXPECT_EQ(shape.along, -14.0f);
    EXPECT_EQ(shape.across, static_cast<float>(place));
}

TEST_F(Field, AScatterThrowsTheShapeBackAndSidewaysByTheDrawnAmounts)
{
    int smallestBack = 100, largestBack = 0, smallestSide = 100, largestSide = -100;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        seedGameRandom(seed);
        const int side = gameRandom() % 50 - 25;
        const int back = gameRandom() % 20 + 50;
        seedGameRandom(seed);
        Obstacle shape{};
        shape.along = 0.0f;
        shape.across = 0.0f;
        step(shape, true);
        EXPECT_EQ(shape.across, static_cast<float>(-side));
        EXPECT_FLOAT_EQ(shape.along, static_cast<float>(-back) + 0.8f);
        smallestBack = std::min(smallestBack, back);
        largestBack = std::max(largestBack, back);
        smallestSide = std::min(smallestSide, -side);
        largestSide = std::max(largestSide, -side);
    }
    EXPECT_EQ(smallestBack, 50);
    EXPECT_EQ(largestBack, 69);
    EXPECT_EQ(smallestSide, -24);
    EXPECT_EQ(largestSide, 25);
}

TEST_F(Field, TheFieldDriftsOnlyWhileTheMatchingSteeringIsHeld)
{
    Obstacle shape{};
    shape.along = 0.0f;
    shape.across = 0.0f;

    race.steerVelocity = 8.0f;
    step(shape);
    EXPECT_EQ(shape.across, 0.0f) << "released: the decaying velocity moves nothing";

    pressKey(VK_LEFT);
    step(shape);
    EXPECT_FLOAT_EQ(shape.across, 0.2f);
    settings.gameSpeed = 2.0f;
    step(shape);
    EXPECT_FLOAT_EQ(shape.across, 0.6f);
    settings.gameSpeed = 1.0f;

    race.steerVelocity = -8.0f;
    step(shape);
    EXPECT_FLOAT_EQ(shape.across, 0.6f) << "left held but the velocity is to the right";
    releaseKey(VK_LEFT);

    pressRightButton();
    step(shape);
    EXPECT_FLOAT_EQ(shape.across, 0.4f);
    releaseRightButton();

    // Both held: each drifts with the sign of the velocity.
    pressKey(VK_LEFT);
    pressKey(VK_RIGHT);
    step(shape);
    EXPECT_FLOAT_EQ(shape.across, 0.2f);
}

TEST_F(Field, TheRacingStepTakesTheRowsInItsOrderAndTheExtrasOnlyWhereTheRaceCallsForThem)
{
    auto placeAll = [] {
        for (int row = 0; row < fieldRows; ++row) {
            field[row].along = 72.5f;
            field[row].across = 0.0f;
        }
    };
    auto racingStep = [] {
        FieldLook look;
        updateRacingField(RaceControls{}, look);
    };
    // Each passing shape takes one draw; the draws reveal the order.
    const int order[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 11, 12, 13};
    placeAll();
    seedGameRandom(5);
    std::vector<int> shifts;
    for (int i = 0; i < fieldRows; ++i)
        shifts.push_back(gameRandom() % 70 - 35);
    seedGameRandom(5);
    racingStep();
    for (int i = 0; i < fieldObstacles; ++i) {
        SCOPED_TRACE(order[i] + 1);
        EXPECT_EQ(field[order[i]].across, static_cast<float>(shifts[i]));
    }
    for (int row = fieldObstacles; row < fieldRows; ++row)
        EXPECT_EQ(field[row].along, 72.5f) << "no extras on SHORT";

    for (int type : {RaceType::MEDIUM, RaceType::LONG, RaceType::JOURNEY}) {
        SCOPED_TRACE(type);
        settings.raceType = type;
        race.raceClock = 5e-10f;  // a shown score of 500: not above it
        while (shownScore() < 500)
            race.raceClock = std::nextafter(race.raceClock, 1.0f);
        ASSERT_EQ(shownScore(), 500);
        placeAll();
        seedGameRandom(5);
        racingStep();
        const bool extras = type == RaceType::LONG;
        for (int i = fieldObstacles; i < fieldRows; ++i) {
            if (extras)
                EXPECT_EQ(field[i].across, static_cast<float>(shifts[i]));
            else
                EXPECT_EQ(field[i].along, 72.5f);
        }
    }

    settings.raceType = RaceType::JOURNEY;
    race.raceClock = 5.02e-10f;
    ASSERT_GT(shownScore(), 500);
    placeAll();
    seedGameRandom(5);
    racingStep();
    for (int i = fieldObstacles; i < fieldRows; ++i)
        EXPECT_EQ(field[i].across, static_cast<float>(shifts[i]));
}

// In a race the shapes show in their table colours, and a contact splinters
// colour at the ship.
TEST_F(Field, TheShapesAreDrawnInTheirRowColours)
{
    startRaceOf(RaceType::SHORT);
    parkField();
    runCountdown();
    // Row 3 (green hexagon) and row 10 (yellow square) ahead of the ship.
    field[2].along = 40.0f;
    field[2].across = -4.0f;
    field[9].along = 40.0f;
    field[9].across = 4.0f;
    runFrames(1);
    const screenView::Frame frame = screenView::grab();
    const screenView::Point green =
        screenView::project(screenView::worldFrame(), -4.0f, 0.6f, 40.8f - 60.0f);
    const screenView::Point yellow =
        screenView::project(screenView::worldFrame(), 4.0f, 0.5f, 40.8f - 60.0f);
    EXPECT_EQ(screenView::countIn(frame, green.x - 3, green.y - 3, 6, 6, 0, 179, 0), 36);
    EXPECT_EQ(screenView::countIn(frame, yellow.x - 3, yellow.y - 3, 6, 6, 204, 204, 26), 36);
}
