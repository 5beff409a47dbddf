// The game's random numbers: the classic sequence whatever the C library,
// and its state put back for a replay.
#include "game/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> firstFive()
{
    std::vector<int> values;
    for (int i = 0; i < 5; ++i)
        values.push_back(gameRandom());
    return values;
}

}  // namespace

TEST(GameRandom, EachSeedGivesTheClassicSequenceAndTheStateReplaysIt)
{
    struct Case {
        unsigned seed;
        std::vector<int> values;
    };
    const Case cases[] = {
        {0u, {38, 7719, 21238, 2437, 8855}},
        {1u, {41, 18467, 6334, 26500, 19169}},
        {1000000u, {21585, 18586, 29373, 4301, 3304}},
        {0xFFFFFFFFu, {35, 29739, 3374, 11141, 31308}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        seedGameRandom(c.seed);
        EXPECT_EQ(gameRandomState(), c.seed);
        EXPECT_EQ(firstFive(), c.values);

        // The state in the middle of the sequence brings back what follows.
        seedGameRandom(c.seed);
        gameRandom();
        gameRandom();
        const std::uint32_t middle = gameRandomState();
        const std::vector<int> after = firstFive();
        seedGameRandom(12345u);
        setGameRandomState(middle);
        EXPECT_EQ(firstFive(), after);
        EXPECT_EQ(after[0], c.values[2]);
    }

    // Never above 32767, and the whole range is reached.
    seedGameRandom(7u);
    int lowest = gameRandomMax;
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int value = gameRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, gameRandomMax);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, gameRandomMax);
}
