// One frame of the game: global keys, routing to the screen that owns the
// frame, the window the screens asked for, and the frame-rate compensation.
#include "app/frame.h"

#include "app/win_main.h"
#include "frontend/help_exit_tips.h"
#include "frontend/menu.h"
#include "frontend/name_entry.h"
#include "frontend/replay_viewer.h"
#include "game/app_state.h"
#include "game/frame_rate.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "race/race_timing.h"

#include <GL/gl.h>

static void startFrame()
{
    if (input.keys[VK_F12])
        settings.gameSpeed = targetSpeed(frameRate.framesPerSecond);
    if (menu.repeatDelay > 0)
        --menu.repeatDelay;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

// The press of Escape that closed the help or ended a replay, until it is
// let go: it shows the screen beneath and nothing more, however long it is
// held.
static bool escapeTaken = false;

// Escape acts in every frame it is down; only the press that closes the
// help is taken once, so that the screen beneath (or the race) stays.
static void handleEscape()
{
    if (!input.keys[VK_ESCAPE]) {
        escapeTaken = false;
        return;
    }
    if (escapeTaken)
        return;
    if (screens.helpShown) {
        closeHelp();
        escapeTaken = true;
    } else if (screens.exitScreenShown) {
        app.quitRequested = true;
    } else {
        // Leaving the settings' menus saves them now, as well as at the
        // teardown.
        const bool leavingSettings =
            screens.optionsShown || screens.controlsShown || screens.graphicsShown;
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        backToTitle();
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

static void clearOneShotInputs()
{
    input.keys[VK_RETURN] = false;
    if (screens.frontEnd)
        input.keys[VK_LEFT] = false;
    input.mouseMoved = false;
}

static void endFrame()
{
    if (input.keys[VK_F2])
        openHelp();
    countFrame();
    tuneRaceSpeed(frameRate.framesPerSecond);
    clearOneShotInputs();

    if (screens.frontEnd && input.keys[tipKey] && !settings.fullscreen)
        showTipOfTheDay();
}

// The Graphics menu's BACK asks for a new window; it is built here, after
// the screen blocks and before the frame's end, so the frame ends in it.
static void buildRequestedWindow()
{
    if (!app.newWindowRequested)
        return;
    app.newWindowRequested = false;
    rebuildGameWindow();
}

// A replay watched from the table owns the whole frame, as name entry
// does: the replay runs on its recorded F12, delay and speed, so none of
// the frame's own apply. Escape or Enter ends it, and the table is back in
// the same frame, the key that ended the replay doing nothing more there.
static bool runReplay()
{
    if (!watchingReplay())
        return false;
    if (input.keys[VK_ESCAPE] || input.keys[VK_RETURN]) {
        stopWatchingReplay();
        escapeTaken = input.keys[VK_ESCAPE];
        input.keys[VK_RETURN] = false;
        return false;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    replayFrame();
    countFrame();
    clearOneShotInputs();
    return true;
}

int drawScene()
{
    if (runReplay())
        return 1;
    startFrame();
    if (screens.nameEntryShown) {
        runNameEntry();
    } else {
        handleEscape();
        routeFrame();
    }
    buildRequestedWindow();
    endFrame();
    return 1;
}
