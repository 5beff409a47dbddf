// Wall-clock seconds for the game's per-second counters and its random seed.
#include "platform/clock.h"

#include "platform/probes.h"

std::time_t platformTime()
{
    std::time_t now = 0;
    if (probes::clockFixed(&now))
        return now;
    return std::time(nullptr);
}
