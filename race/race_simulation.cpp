// The race without a window.
#include "race/race_simulation.h"

#include "game/frame_rate.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "race/race_timing.h"

void simulateRaceFrame(const RaceFrameInput& in)
{
    // Worked out and never drawn.
    static RaceFrame picture;

    if (in.speedKey)
        settings.gameSpeed = targetSpeed(in.framesPerSecond);
    if (menu.repeatDelay > 0)
        --menu.repeatDelay;
    if (in.enter)
        beginRace();
    else
        menu.menuClock += 0.1f;
    advanceUnlessPaused(in.controls, picture);
    tuneRaceSpeed(in.framesPerSecond);
}
