// The classic linear congruential generator: state × 214013 + 2531011,
// modulo 2^32, of which bits 16 to 30 are the value.
#include "game/random.h"

namespace {

// Before any seed the sequence runs as if seeded with 1, as rand's does.
// Constant-initialised, so draws made while the program is still being
// constructed get it too.
std::uint32_t state = 1;

}  // namespace

void seedGameRandom(unsigned seed) { state = static_cast<std::uint32_t>(seed); }

int gameRandom()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

std::uint32_t gameRandomState() { return state; }

void setGameRandomState(std::uint32_t newState) { state = newState; }
