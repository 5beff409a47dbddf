// The race tests' common ground: the game window set up for a race and
// races started as the title menu starts them.
#include "tests/support/race_fixture.h"

#include "game/frame_rate.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"

void RaceTest::SetUp()
{
    GameTest::SetUp();
    // Fresh records, also when the cases run one after another in one process.
    screens = ScreenFlags{};
    menu = MenuState{};
    input = InputState{};
    race = RaceState{};
    testHooks::fixClock(1000);
    openWindow(width, height);
    settings.gameSpeed = 1.0f;
    settings.showSky = false;
    settings.soundOn = false;
    settings.rotateShip = true;
    useArrowKeysAndSpaceBar();
    frameRate.framesPerSecond = 60;
    frameRate.secondStamp = 1000;
    frameRate.framesThisSecond = 0;
}

void RaceTest::setBarTargetFor(int raceType)
{
    switch (raceType) {
    case RaceType::SHORT: race.barTarget = 2.0f; break;
    case RaceType::MEDIUM: race.barTarget = 4.0f; break;
    case RaceType::LONG: race.barTarget = 6.0f; break;
    case RaceType::JOURNEY: race.barTarget = 10000000.0f; break;
    default: break;
    }
}

void RaceTest::startRaceOf(int raceType)
{
    settings.raceType = raceType;
    setBarTargetFor(raceType);
    startRace();
}

void RaceTest::runCountdown()
{
    // The first frame that moves shapes is the one whose count, before it
    // adds itself, is above 200 / gameSpeed.
    for (int frame = 0; frame < 100000 && !(race.raceFrames > 200 / settings.gameSpeed); ++frame) {
        const int before = race.raceFrames;
        runFrames(1);
        ASSERT_NE(race.raceFrames, before) << "the race is not running";
    }
}

void RaceTest::parkField()
{
    for (int row = 0; row < fieldRows; ++row) {
        field[row].along = -5000.0f;
        field[row].across = 40.0f;
    }
}
