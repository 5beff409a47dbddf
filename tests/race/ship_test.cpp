// Steering, its decay, the speed keys, and the ship's banking.
#include "game/input.h"
#include "game/random.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

struct Ship : RaceTest {
    void SetUp() override
    {
        RaceTest::SetUp();
        startRaceOf(RaceType::SHORT);
        parkField();
        runCountdown();
    }
};

TEST_F(Ship, HoldingLeftFromRestStopsAtTheFirstValueAboveTen)
{
    pressKey(VK_LEFT);
    float expected = 0.0f;
    for (int frame = 1; frame <= 16; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_LE(race.steerVelocity, 10.0f);
        runFrames(1);
        expected += 0.6333333f;
        EXPECT_FLOAT_EQ(race.steerVelocity, expected);
    }
    EXPECT_NEAR(race.steerVelocity, 10.1333f, 1e-4f);
    runFrames(20);
    EXPECT_FLOAT_EQ(race.steerVelocity, expected) << "held above 10, it stays";
}

TEST_F(Ship, HoldingRightStopsAtTheFirstValueBelowMinusTen)
{
    pressKey(VK_RIGHT);
    runFrames(15);
    EXPECT_GT(race.steerVelocity, -10.0f);
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, -10.1333f, 1e-4f);
    runFrames(5);
    EXPECT_NEAR(race.steerVelocity, -10.1333f, 1e-4f);
}

TEST_F(Ship, AfterReleaseTheVelocityFallsByPointThreeAFrameAndSettlesAtZero)
{
    pressKey(VK_LEFT);
    runFrames(16);
    releaseKey(VK_LEFT);
    float previous = race.steerVelocity;
    int frames = 0;
    while (previous > 0.3f) {
        runFrames(1);
        ++frames;
        EXPECT_NEAR(previous - race.steerVelocity, 0.3f, 1e-5f);
        previous = race.steerVelocity;
    }
    EXPECT_EQ(frames, 33);
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, 0.0f, 1e-5f);
    for (int frame = 0; frame < 30; ++frame) {
        runFrames(1);
        EXPECT_NEAR(race.steerVelocity, 0.0f, 1e-5f) << "no lasting swing";
    }
}

TEST_F(Ship, TheDecayIsScaledByTheSpeedFactor)
{
    settings.gameSpeed = 2.0f;
    race.steerVelocity = 5.0f;
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, 4.4f, 1e-5f);
    race.steerVelocity = -5.0f;
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, -4.4f, 1e-5f);
    pressKey(VK_LEFT);
    race.steerVelocity = 0.0f;
    runFrames(1);
    EXPECT_FLOAT_EQ(race.steerVelocity, 0.6333333f * 2.0f);
}

TEST_F(Ship, BothKeysOrBothButtonsDecay)
{
    race.steerVelocity = 6.0f;
    pressKey(VK_LEFT);
    pressKey(VK_RIGHT);
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, 5.7f, 1e-5f);
    releaseKey(VK_LEFT);
    releaseKey(VK_RIGHT);

    race.steerVelocity = -6.0f;
    pressLeftButton();
    pressRightButton();
    runFrames(1);
    EXPECT_NEAR(race.steerVelocity, -5.7f, 1e-5f);
    releaseLeftButton();
    releaseRightButton();
}

TEST_F(Ship, TheButtonsSteerLikeTheKeysAndTheLeftKeyWithTheRightButtonSteersLeft)
{
    pressLeftButton();
    runFrames(1);
    EXPECT_FLOAT_EQ(race.steerVelocity, 0.6333333f);
    releaseLeftButton();

    race.steerVelocity = 0.0f;
    pressRightButton();
    runFrames(1);
    EXPECT_FLOAT_EQ(race.steerVelocity, -0.6333333f);

    race.steerVelocity = 0.0f;
    pressKey(VK_LEFT);
    runFrames(2);
    EXPECT_FLOAT_EQ(race.steerVelocity, 2 * 0.6333333f);
}

TEST_F(Ship, TheSteeringKeysAreTheOnesTheSettingsName)
{
    settings.leftKey = 'A';
    settings.rightKey = 'D';
    pressKey(VK_LEFT);
    runFrames(2);
    EXPECT_EQ(race.steerVelocity, 0.0f) << "the arrows are not bound any more";
    releaseKey(VK_LEFT);
    pressKey('D');
    runFrames(1);
    EXPECT_FLOAT_EQ(race.steerVelocity, -0.6333333f);
    releaseKey('D');

    // A code no key has (a damaged settings file) steers nothing.
    for (int code : {-1, 256, 1000000, -2147483647}) {
        settings.leftKey = code;
        settings.rightKey = code;
        settings.accelerateKey = code;
        race.steerVelocity = 0.0f;
        runFrames(1);
        EXPECT_EQ(race.steerVelocity, 0.0f);
        EXPECT_EQ(race.shipSpeed, 0.0f);
    }
}

// A hundredth up and three hundredths down a frame, and the bar's share
// of the speed, all times the speed factor: at half the frame rate a
// second of the key gives the same speed and the same bar.
TEST_F(Ship, TheSpeedKeysAndTheBarsShareOfTheSpeedAreScaledByTheSpeedFactor)
{
    for (float gameSpeed : {1.0f, 2.0f, 0.5f}) {
        SCOPED_TRACE(gameSpeed);
        race.shipSpeed = 0.0f;
        race.barLevel = 1.0f;
        race.raceFrames = 1000;  // past the countdown at any of these factors
        settings.gameSpeed = gameSpeed;
        pressKey(VK_UP);
        runFrames(2);
        releaseKey(VK_UP);
        EXPECT_NEAR(race.shipSpeed, 0.02f * gameSpeed, 1e-6f);

        // The bar gains (speed + 1) x 0.001 x the factor a frame.
        race.shipSpeed = 1.5f;
        const float bar = race.barLevel;
        runFrames(1);
        EXPECT_NEAR(race.barLevel - bar, 0.0025f * gameSpeed, 1e-6f);

        race.shipSpeed = 0.02f * gameSpeed;
        pressKey(VK_DOWN);
        runFrames(1);
        EXPECT_NEAR(race.shipSpeed, -0.01f * gameSpeed, 1e-6f);
        runFrames(5);
        EXPECT_NEAR(race.shipSpeed, -0.01f * gameSpeed, 1e-6f) << "the speed never goes lower";

        // Both at once: up first, then down from the new value.
        race.shipSpeed = 0.5f;
        pressKey(VK_UP);
        runFrames(1);
        releaseKey(VK_UP);
        releaseKey(VK_DOWN);
        EXPECT_NEAR(race.shipSpeed, 0.5f - 0.02f * gameSpeed, 1e-6f);
    }
}

TEST_F(Ship, OnAJourneyTheSpeedStaysAtZero)
{
    startRaceOf(RaceType::JOURNEY);
    parkField();
    runCountdown();
    pressKey(VK_UP);
    runFrames(10);
    EXPECT_EQ(race.shipSpeed, 0.0f);
}

TEST_F(Ship, SteeringAndSpeedKeepWorkingAfterTheRaceHasEnded)
{
    highScores.rows[0].best = 1;
    race.raceClock = 5e-12f;
    race.barLevel = 2.5f;
    pressKey(VK_LEFT);
    pressKey(VK_UP);
    runFrames(3);
    EXPECT_FLOAT_EQ(race.steerVelocity, 3 * 0.6333333f);
    EXPECT_FLOAT_EQ(race.shipSpeed, 0.03f);
}

// The ship's sprite stands at the bottom centre: in SHIP mode it banks
// with the velocity, in WORLD mode it stays level.
TEST_F(Ship, TheShipBanksInShipModeAndStaysLevelInWorldMode)
{
    auto shipPicture = [&](bool rotateShip, float velocity) {
        settings.rotateShip = rotateShip;
        race.steerVelocity = velocity;
        race.barLevel = 2.0f;  // at the target: nothing moves
        input.keys[VK_LEFT] = velocity != 0.0f;
        const float before = race.steerVelocity;
        seedGameRandom(7);  // the same one of the two looks every time
        runFrames(1);
        race.steerVelocity = before;
        return screenView::grab();
    };
    const screenView::Point bottomLeft =
        screenView::project(screenView::shipFrame(), 1.2f, -0.1f, -2.0f);
    const screenView::Point topRight =
        screenView::project(screenView::shipFrame(), -1.2f, 1.7f, -2.0f);
    const int left = std::min(bottomLeft.x, topRight.x);
    const int top = std::min(bottomLeft.y, topRight.y);
    const int w = std::abs(topRight.x - bottomLeft.x);
    const int h = std::abs(topRight.y - bottomLeft.y);

    const screenView::Frame level = shipPicture(true, 0.0f);
    const screenView::Frame banked = shipPicture(true, 9.0f);
    const screenView::Frame worldMode = shipPicture(false, 9.0f);
    auto differences = [&](const screenView::Frame& a, const screenView::Frame& b) {
        int count = 0;
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x) {
                const auto p = screenView::pixelOf(a, x, y);
                const auto q = screenView::pixelOf(b, x, y);
                count += (p.r != q.r || p.g != q.g || p.b != q.b) ? 1 : 0;
            }
        return count;
    };
    EXPECT_GT(differences(level, banked), 200);
    // In WORLD mode the ground turns behind the ship, so compare only the
    // sprite: what differs from the plain ground and sky must be the same.
    int spriteDifferences = 0;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x) {
            const auto p = screenView::pixelOf(level, x, y);
            const auto q = screenView::pixelOf(worldMode, x, y);
            auto ground = [](Rgb c) { return c.r == 0 && (c.g == 127 || c.g == 128) && c.b == 0; };
            const bool background =
                ground(p) || ground(q) || (std::abs(q.r - 131) <= 1 && std::abs(q.g - 152) <= 1);
            if (!background && (p.r != q.r || p.g != q.g || p.b != q.b))
                ++spriteDifferences;
        }
    EXPECT_EQ(spriteDifferences, 0);
}

TEST_F(Ship, AfterAJourneyCrashTheShipIsGoneAndTheWorldIsLevel)
{
    highScores.rows[3].best = 1000;  // not beaten: the race screen stays
    startRaceOf(RaceType::JOURNEY);
    parkField();
    runCountdown();
    settings.rotateShip = false;
    field[0].along = 58.0f;
    field[0].across = 0.0f;
    runFrames(1);
    ASSERT_LT(race.barLevel, 0.0f);
    race.steerVelocity = 10.0f;
    runFrames(1);
    const screenView::Frame frame = screenView::grab();
    // The ship's place shows only ground.
    const screenView::Point ship = screenView::project(screenView::shipFrame(), 0.0f, 0.7f, -2.0f);
    EXPECT_EQ(screenView::countIn(frame, ship.x - 20, ship.y - 10, 40, 20, 0, 128, 0, 1), 800);
    // The horizon (the sky's lower edge) is level although the velocity is 10.
    const screenView::Point left =
        screenView::project(screenView::worldFrame(), -30.0f, -0.2f, -50.0f);
    const screenView::Point right =
        screenView::project(screenView::worldFrame(), 30.0f, -0.2f, -50.0f);
    EXPECT_EQ(left.y, right.y);
    const auto above = screenView::pixelOf(frame, left.x, left.y - 4);
    const auto below = screenView::pixelOf(frame, right.x, right.y + 4);
    EXPECT_LT(above.g, 120);
    EXPECT_GE(below.g, 127);
    EXPECT_LE(below.g, 128);
    EXPECT_EQ(screenView::pixelOf(frame, right.x, right.y - 4).g, above.g);
}
