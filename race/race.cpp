// The race: its record, the start, and the order of one race frame.
#include "race/race.h"

#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race_display.h"
#include "race/race_draw.h"
#include "race/race_end.h"
#include "race/race_pause.h"
#include "race/race_recording.h"
#include "race/race_timing.h"
#include "race/ship.h"

#include <climits>

RaceState race;

namespace {

// The picture of the last frame advanced: drawn once it is, and again for
// every frame of a pause.
RaceFrame lastFrame;

bool racing() { return race.barLevel > 0.0f && race.barLevel < race.barTarget; }

}  // namespace

int shownScore() { return static_cast<int>(race.raceClock * 1e12f); }

void setBarTarget(int raceType)
{
    if (const RaceTypeFacts* type = raceTypeFacts(raceType))
        race.barTarget = type->barTarget;
}

FieldLook beginRace()
{
    // A race started before any front-end frame repaired the race type
    // (Enter in the very first frame) is the race it will be played as.
    wrapRaceType();
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    race.steerVelocity = 0.0f;
    race.bombs = type->startingBombs;
    race.barLevel = type->startingBarLevel;
    // A bar left from another race type, or never set (0), would end the
    // race the moment the countdown is over.
    setBarTarget(settings.raceType);
    race.raceClock = 0.0f;
    race.raceFrames = 0;
    race.shipSpeed = 0.0f;
    // With the velocity at 0 no steering drifts the scatter.
    FieldLook scatter;
    scatterField(RaceControls{}, scatter);
    showRace();
    race.skyLevel = 0.5f;
    race.skyRising = false;
    lastFrame = RaceFrame{};
    forgetPause();
    return scatter;
}

void startRace()
{
    recordRaceStart();
    const FieldLook scatter = beginRace();
    recordWhereRaceLeftOff();
    drawRaceStart(scatter);
}

void advanceRace(const RaceControls& controls, RaceFrame& frame)
{
    frame = RaceFrame{};
    frame.advanced = true;

    updateLightning();
    showHudLines(frame);
    showProgressBar(frame);
    showShip(frame);

    if (countdownOver()) {
        steer(controls);
        applySpeedKeys(controls);
        dropBombIfAsked(controls, frame);
    }

    updateSky(frame);

    if (countdownOver()) {
        if (racing()) {
            updateRacingField(controls, frame.field);
            race.raceClock += settings.gameSpeed * 1e-13f;
            if (settings.raceType != RaceType::JOURNEY)
                race.barLevel +=
                    race.shipSpeed * 0.001 * settings.gameSpeed + settings.gameSpeed * 0.001;
        }
        showFinishHint(frame);
        showRaceEnd(frame);
    }

    menu.menuClock += 0.06;
    // A result screen left standing for ever must not wrap the count.
    if (race.raceFrames < INT_MAX)
        ++race.raceFrames;

    if (race.raceFrames < 200 / settings.gameSpeed)
        showIntroAndCountdown(frame);
}

bool advanceUnlessPaused(const RaceControls& controls, RaceFrame& frame)
{
    if (holdForPause(controls))
        return false;
    advanceRace(controls, frame);
    return true;
}

void raceFrame()
{
    hideRaceCursor();
    const RaceControls controls = readRaceControls();
    recordRaceFrame(controls);
    const bool advanced = advanceUnlessPaused(controls, lastFrame);
    recordWhereRaceLeftOff();
    drawRaceFrame(lastFrame);
    if (!advanced)
        drawPausedSign();
}
