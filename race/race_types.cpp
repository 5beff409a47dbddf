// The race-type table.
#include "race/race_types.h"

namespace {

// A JOURNEY's bar never fills, so its target is only a number it never
// reaches (start-up sets a smaller one of its own).
const RaceTypeFacts raceTypes[4] = {
    // name      target        bombs  level     speed  sky                     extra rows lower  row
    {"SHORT", 2.0f, 0.0f, 1.0f, true, SkyMood::PLAIN, ExtraRows::NEVER, true, 0},
    {"MEDIUM", 4.0f, 2.0f, 1.0f, true, SkyMood::PURPLE, ExtraRows::NEVER, true, 1},
    {"LONG", 6.0f, 4.0f, 1.0f, true, SkyMood::STORM, ExtraRows::ALWAYS, true, 2},
    {"JOURNEY", 100000000.0f, 0.0f, 0.00001f, false, SkyMood::DAY_AND_NIGHT, ExtraRows::PAST_500,
     false, 3},
};

}  // namespace

const RaceTypeFacts* raceTypeFacts(int raceType)
{
    if (raceType < RaceType::SHORT || raceType > RaceType::JOURNEY)
        return nullptr;
    return &raceTypes[raceType - RaceType::SHORT];
}

HighScoreEntry* highScoreFor(int raceType)
{
    const RaceTypeFacts* type = raceTypeFacts(raceType);
    return type != nullptr ? &highScores.rows[type->highScoreRow] : nullptr;
}
