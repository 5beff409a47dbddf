// A race played from a fixed start with a script of inputs, frame by frame,
// and what is recorded of it: for the replay and pause tests.
#pragma once

#include "persist/high_scores.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/screen_view.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace raceScript {

enum class Action { keyDown, keyUp, leftDown, leftUp, rightDown, rightUp };

struct Step {
    int frame;  // delivered before the race frame with this number (1 = the first)
    Action action;
    int code = 0;
};

// Everything a race frame changes, as it stands after a frame.
struct Moment {
    RaceState race;
    Obstacle field[fieldRows];
    float menuClock;
    int repeatDelay;
    float gameSpeed;
    std::size_t sounds;     // sounds asked for since the start
    std::uint64_t picture;  // the frame's pixels, hashed
};

// Field by field, floats by their bits.
bool sameRace(const RaceState& a, const RaceState& b);
bool sameField(const Obstacle* a, const Obstacle* b);
bool sameTable(const HighScoreTable& a, const HighScoreTable& b);
bool sameMoment(const Moment& a, const Moment& b, bool withPicture = true);
std::string describe(const RaceState& race);

std::uint64_t hashBytes(const void* bytes, std::size_t size,
                        std::uint64_t hash = 1469598103934665603ull);
std::uint64_t hashFrame(const screenView::Frame& frame);

// How a scripted race is set up.
struct Setup {
    int raceType = 1;
    unsigned seed = 1;
    bool showSky = true;
    bool rotateShip = false;
    bool soundOn = true;
    int framesPerSecond = 60;  // the rate counted: the speed tuning aims at it
    float gameSpeed = 1.0f;
    int best = -1;  // the race type's stored best; -1 keeps the fixed one
    // Left on the title with SINGLE PLAYER highlighted: Enter in the first
    // frame starts the race.
    bool fromTitle = false;
};

bool sameSetup(const Setup& a, const Setup& b);

// Puts every record the race reads to a fixed state, seeds the generator,
// places the field and starts the race (or leaves it to the title).
// Without a window the start is only begun: its scatter is not drawn.
void startFixedRace(const Setup& setup, bool inWindow = true);
void startFixedRace(int raceType, unsigned seed);

// Delivers this frame's steps of the script.
void deliver(const std::vector<Step>& script, int frame);

// What stands now; `soundsAtStart` is the count of sounds before the race.
Moment momentNow(std::size_t soundsAtStart, bool withPicture);

}  // namespace raceScript
