// Best runs raced in the window for the replay tests: a golden race's keys
// or a player's, frame by frame through the frame function, until the race
// hands over to name entry; and what every frame left, to hold a replay
// of the race against.
#pragma once

#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_script.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bestRun {

struct Race {
    const char* name;
    raceScript::Setup setup;
    // A golden race whose keys are played (tests/race/golden/), or null
    // for the player's.
    const char* record = nullptr;
    // The keys for frame `frame` (1 = the first), in the golden letters.
    std::function<std::string(int frame)> player;
    // Anything else that happens before frame `frame`, as a new window's
    // seed or a second ticking over.
    std::function<void(int frame)> before;
};

// What a frame left: every record a race frame changes, and the picture
// with the "REPLAY" corner left out.
struct Moment {
    RaceState race;
    Obstacle field[fieldRows];
    float menuClock;
    int repeatDelay;
    float gameSpeed;
    std::uint32_t random;
    std::uint64_t picture;  // 0 when not looked at
};

Moment momentNow(bool withPicture);
// "" when they agree, else the first record that differs.
std::string difference(const Moment& a, const Moment& b);

// Races it in the window until name entry takes over or the golden
// race's keys run out, at most 5000 frames; what each frame left.
std::vector<Moment> raceIt(const Race& race, bool withPicture);

}  // namespace bestRun
