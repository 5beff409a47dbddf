// One frame of the game: global keys, routing to the screen that owns the
// frame, and the frame-rate compensation.
#include "app/frame.h"

#include "app/input.h"
#include "frontend/help_exit_tips.h"
#include "frontend/menu.h"
#include "frontend/name_entry.h"
#include "persist/settings.h"
#include "race/race.h"

#include <GL/gl.h>

ScreenFlags screens;
MenuState menu;
FrameRate frameRate;

float targetSpeed(int framesPerSecond)
{
    // The race's steps were tuned at 60 frames a second, so the factor is
    // simply 60 / f. Before a second has been counted there is no rate;
    // the factor then is the one the game has always used at 0.
    if (framesPerSecond <= 0)
        return 4.895378691f;
    return static_cast<float>(60.0 / framesPerSecond);
}

void applySettingGuards()
{
    if (settings.raceType > 4)
        settings.raceType = 1;
    if (settings.raceType < 1)
        settings.raceType = 4;
    // Not "above 0" covers negative, zero and NaN: a zero speed would stop
    // the race's countdown for ever.
    if (!(settings.gameSpeed > 0.0f))
        settings.gameSpeed = 1.1f;
}

static void startFrame()
{
    if (input.keys[VK_F12])
        settings.gameSpeed = targetSpeed(frameRate.framesPerSecond);
    if (menu.repeatDelay > 0)
        --menu.repeatDelay;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

// Held over several frames, Escape steps back one screen a frame: first
// the help closes, then the title comes back (or the game ends).
static void handleEscape()
{
    if (!input.keys[VK_ESCAPE])
        return;
    if (screens.helpShown) {
        screens.helpShown = false;
    } else if (screens.exitScreenShown) {
        app.quitRequested = true;
    } else {
        // Leaving the settings' menus saves them now, as well as at the
        // teardown.
        const bool leavingSettings =
            screens.optionsShown || screens.controlsShown || screens.graphicsShown;
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        screens.frontEnd = true;
        screens.optionsShown = false;
        screens.helpShown = false;
        screens.controlsShown = false;
        screens.graphicsShown = false;
        screens.highScoresShown = false;
        if (leavingSettings)
            saveSettings();
    }
}

static void routeFrame()
{
    if (input.keys[VK_RETURN] && !screens.frontEnd) {
        // Enter during or after a race plays again at once.
        startRace();
        runScreenBlocksFromOptions();
        raceFrame();
        return;
    }

    menu.menuClock += 0.1f;
    if (!screens.frontEnd) {
        raceFrame();
        return;
    }
    frontEndFrame();
    // SINGLE PLAYER started the race inside the menu: its first frame is
    // drawn now.
    if (!screens.frontEnd)
        raceFrame();
}

static void countFrame()
{
    ++frameRate.framesThisSecond;
    std::time_t now = platformTime();
    if (now - frameRate.secondStamp >= 1) {
        frameRate.framesPerSecond = frameRate.framesThisSecond;
        frameRate.secondStamp = now;
        frameRate.framesThisSecond = 0;
    }
}

// During a race the speed factor creeps towards the measured rate's by
// half a per cent a frame, then dithers around it.
static void tuneRaceSpeed()
{
    if (shownScore() <= 20 || screens.frontEnd || !(race.barLevel > 0.0f) ||
        screens.nameEntryShown)
        return;
    float target = targetSpeed(frameRate.framesPerSecond);
    if (settings.gameSpeed < target)
        settings.gameSpeed *= 1.005f;
    if (settings.gameSpeed > target)
        settings.gameSpeed -= 0.005f * settings.gameSpeed;
}

static void endFrame()
{
    if (input.keys[VK_F2])
        screens.helpShown = true;
    countFrame();
    tuneRaceSpeed();

    input.keys[VK_RETURN] = false;
    if (screens.frontEnd)
        input.keys[VK_LEFT] = false;
    input.mouseMoved = false;

    if (screens.frontEnd && input.keys['T'] && !settings.fullscreen)
        showTipOfTheDay();
}

int drawScene()
{
    startFrame();
    if (screens.nameEntryShown) {
        runNameEntry();
    } else {
        handleEscape();
        routeFrame();
    }
    endFrame();
    return 1;
}
