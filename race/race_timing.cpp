// The race's frame counts and the speed factor's tuning.
#include "race/race_timing.h"

#include "game/frame_rate.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"

#include <climits>

bool countdownOver() { return race.raceFrames > 200 / settings.gameSpeed; }

int wholeFrames(float frames)
{
    if (!(frames < 2147483648.0f))
        return INT_MAX;
    if (frames < -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(frames);
}

void tuneRaceSpeed(int framesPerSecond)
{
    if (shownScore() <= 20 || screens.frontEnd || !(race.barLevel > 0.0f) || screens.nameEntryShown)
        return;
    float target = targetSpeed(framesPerSecond);
    if (settings.gameSpeed < target)
        settings.gameSpeed *= 1.005f;
    if (settings.gameSpeed > target)
        settings.gameSpeed -= 0.005f * settings.gameSpeed;
}
