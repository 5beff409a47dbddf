// The frame deadline that keeps the game at no more than 60 frames a
// second, as plain arithmetic on CLOCK_MONOTONIC nanoseconds.
#pragma once

#include <cstdint>

constexpr std::int64_t frameIntervalNanoseconds = 1'000'000'000 / 60;

// The moment the frame just swapped may be let go: one interval after the
// previous frame's deadline (0: no previous frame, no wait). A frame more
// than one interval late starts the count again from `now`, so a stall is
// not followed by a burst of unpaced frames.
std::int64_t nextFrameDeadline(std::int64_t previousDeadline, std::int64_t now);
