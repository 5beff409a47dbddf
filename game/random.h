// The game's own random numbers: the classic C library generator, so that
// a race drawn from a seed is the same race on every system.
#pragma once

#include <cstdint>

// The largest value gameRandom() returns.
constexpr int gameRandomMax = 32767;

// Starts the sequence afresh from `seed`, as srand does.
void seedGameRandom(unsigned seed);

// The next value, 0 to gameRandomMax, as rand gives it.
int gameRandom();

// The whole state of the sequence: put back, the same values follow.
std::uint32_t gameRandomState();
void setGameRandomState(std::uint32_t state);
