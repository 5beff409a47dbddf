// The race's frame counts.
#include "race/race_timing.h"

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
