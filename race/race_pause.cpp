// The pause.
#include "race/race_pause.h"

#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"

namespace {

struct PauseState {
    bool paused = false;
    // What the first paused frame found.
    float menuClock = 0.0f;
    int repeatDelay = 0;
    float gameSpeed = 1.0f;
};

PauseState pause;

void holdFrameFunctionValues()
{
    menu.menuClock = pause.menuClock;
    menu.repeatDelay = pause.repeatDelay;
    settings.gameSpeed = pause.gameSpeed;
}

// A pause key the player has made a race key steers, speeds or bombs
// instead: holding it must not stop the race.
bool isRaceKey(int code)
{
    return code == settings.accelerateKey || code == settings.decelerateKey ||
           code == settings.leftKey || code == settings.rightKey || code == settings.bombKey;
}

bool pauseKeyHeld(const RaceControls& controls)
{
    return (controls.endKey && !isRaceKey(VK_END)) || (controls.zeroKey && !isRaceKey('0'));
}

}  // namespace

bool holdForPause(const RaceControls& controls)
{
    if (!pauseKeyHeld(controls)) {
        if (pause.paused) {
            holdFrameFunctionValues();
            pause.paused = false;
        }
        return false;
    }
    if (!pause.paused) {
        pause.paused = true;
        pause.menuClock = menu.menuClock;
        pause.repeatDelay = menu.repeatDelay;
        pause.gameSpeed = settings.gameSpeed;
    }
    holdFrameFunctionValues();
    return true;
}

void forgetPause() { pause.paused = false; }
