// Wall-clock seconds for the game's per-second counters and its random seed.
#include "platform/clock.h"

#include "platform/test_hook_state.h"

std::time_t platformTime()
{
    std::time_t now = 0;
    if (hookState::clockFixed(&now))
        return now;
    return std::time(nullptr);
}
