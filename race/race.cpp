// The race: its record, the start, and the order of one race frame.
#include "race/race.h"

#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race_display.h"
#include "race/race_end.h"
#include "race/race_pause.h"
#include "race/race_steps.h"
#include "race/race_timing.h"
#include "race/ship.h"
#include "render/textures.h"

#include <GL/gl.h>

#include <climits>

RaceState race;

int shownScore() { return static_cast<int>(race.raceClock * 1e12f); }

void setBarTarget(int raceType)
{
    if (const RaceTypeFacts* type = raceTypeFacts(raceType))
        race.barTarget = type->barTarget;
}

void startRace()
{
    // A race started before any front-end frame repaired the race type
    // (Enter in the very first frame) is the race it will be played as.
    wrapRaceType();
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    glClearColor(0.0f, 0.5f, 0.0f, 0.5f);
    race.steerVelocity = 0.0f;
    race.bombs = type->startingBombs;
    race.barLevel = type->startingBarLevel;
    // A bar left from another race type, or never set (0), would end the
    // race the moment the countdown is over.
    setBarTarget(settings.raceType);
    race.raceClock = 0.0f;
    race.raceFrames = 0;
    race.shipSpeed = 0.0f;
    scatterField();
    showRace();
    race.skyLevel = 0.5f;
    race.skyRising = false;
    forgetPausedRace();
}

static bool racing() { return race.barLevel > 0.0f && race.barLevel < race.barTarget; }

void runRaceFrameSteps()
{
    hideRaceCursor();

    updateLightning();

    // The HUD frame; text is untextured whatever the front end left bound.
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glTranslatef(0.0f, 0.0f, -5.0f);
    drawHudLines();

    // The ship frame.
    glTranslatef(0.0f, 0.0f, 5.0f);
    glTranslatef(0.0f, -5.0f, -11.0f);
    drawProgressBar();

    // The ship; everything after it is in the world frame.
    drawShipAndTurnWorld();

    if (countdownOver()) {
        steer();
        applySpeedKeys();
        dropBombIfAsked();
    }

    drawSky();
    drawGround();

    if (countdownOver()) {
        if (racing()) {
            updateRacingField();
            race.raceClock += settings.gameSpeed * 1e-13f;
            if (settings.raceType != RaceType::JOURNEY)
                race.barLevel +=
                    race.shipSpeed * 0.001 * settings.gameSpeed + settings.gameSpeed * 0.001;
        }
        drawFinishHint();
        showRaceEnd();
    }

    menu.menuClock += 0.06;
    // A result screen left standing for ever must not wrap the count.
    if (race.raceFrames < INT_MAX)
        ++race.raceFrames;

    if (race.raceFrames < 200 / settings.gameSpeed)
        showIntroAndCountdown();
}

void raceFrame()
{
    if (racePauseHeld()) {
        drawPausedRace();
        return;
    }
    beginUnpausedRaceFrame();
    runRaceFrameSteps();
}
