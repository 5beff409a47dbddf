// The race without a window.
#include "race/race_simulation.h"

#include "game/frame_rate.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "race/race_timing.h"

void startRaceFrame(bool speedKey, int framesPerSecond, bool enter)
{
    if (speedKey)
        settings.gameSpeed = targetSpeed(framesPerSecond);
    if (menu.repeatDelay > 0)
        --menu.repeatDelay;
    if (enter)
        beginRace();
    else
        menu.menuClock += 0.1f;
}

bool finishRaceFrame(const RaceControls& controls, RaceFrame& picture, int framesPerSecondAtEnd)
{
    const bool advanced = advanceUnlessPaused(controls, picture);
    tuneRaceSpeed(framesPerSecondAtEnd);
    return advanced;
}

void simulateRaceFrame(const RaceFrameInput& in)
{
    // Worked out and never drawn.
    static RaceFrame picture;

    startRaceFrame(in.speedKey, in.framesPerSecond, in.enter);
    finishRaceFrame(in.controls, picture, in.framesPerSecond);
}
