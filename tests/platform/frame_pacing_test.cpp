// Frame pacing by numbers alone: when each swap may show its frame, sixty to
// the second, keeping the rhythm through a late frame and never waiting
// more than one.
#include "platform/frame_pacing.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t second = 1'000'000'000;
constexpr std::int64_t frame = frameIntervalNanoseconds;

}  // namespace

TEST(FramePacing, AFrameIsOneSixtiethOfASecond) { EXPECT_EQ(frame, 16'666'666); }

TEST(FramePacing, TheFirstFrameWaitsForNothing)
{
    EXPECT_EQ(nextFrameDeadline(0, 5 * second), 5 * second);
}

TEST(FramePacing, AnEarlyFrameWaitsForOneIntervalAfterThePreviousDeadline)
{
    const std::int64_t previous = 10 * second;
    EXPECT_EQ(nextFrameDeadline(previous, previous + 1'000'000), previous + frame);
    EXPECT_EQ(nextFrameDeadline(previous, previous), previous + frame);
}

TEST(FramePacing, SixtyEarlyFramesTakeOneSecond)
{
    std::int64_t deadline = nextFrameDeadline(0, 3 * second);
    for (int i = 0; i < 60; ++i)
        deadline = nextFrameDeadline(deadline, deadline + 100);
    EXPECT_EQ(deadline, 3 * second + 60 * frame);
}

TEST(FramePacing, AFrameLateByLessThanAFrameKeepsTheRhythm)
{
    const std::int64_t previous = 10 * second;
    const std::int64_t late = previous + frame + frame / 2;
    // The deadline lies in the past: no wait now, and the next frame is
    // still due one interval later, so the rate averages out.
    EXPECT_EQ(nextFrameDeadline(previous, late), previous + frame);
    EXPECT_EQ(nextFrameDeadline(previous, previous + 2 * frame), previous + frame);
}

TEST(FramePacing, AFrameLateByMoreThanAFrameStartsAgainFromNow)
{
    const std::int64_t previous = 10 * second;
    const std::int64_t stalled = previous + 2 * frame + 1;
    EXPECT_EQ(nextFrameDeadline(previous, stalled), stalled);
    const std::int64_t longStall = previous + 3 * second;
    EXPECT_EQ(nextFrameDeadline(previous, longStall), longStall);
    // After the restart the rhythm resumes from the new start.
    EXPECT_EQ(nextFrameDeadline(longStall, longStall + 5), longStall + frame);
}

TEST(FramePacing, NeverWaitsMoreThanOneFrame)
{
    const std::int64_t previous = 10 * second;
    const std::int64_t now = previous - second;  // a deadline ahead of the clock
    EXPECT_EQ(nextFrameDeadline(previous, now), now + frame);
}
