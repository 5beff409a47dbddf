// Frame deadline arithmetic.
#include "platform/frame_pacing.h"

std::int64_t nextFrameDeadline(std::int64_t previousDeadline, std::int64_t now)
{
    if (previousDeadline == 0)
        return now;
    const std::int64_t deadline = previousDeadline + frameIntervalNanoseconds;
    if (now - deadline > frameIntervalNanoseconds)
        return now;
    // Never more than one frame's wait, whatever the previous deadline was.
    if (deadline - now > frameIntervalNanoseconds)
        return now + frameIntervalNanoseconds;
    return deadline;
}
