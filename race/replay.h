// A recorded race: what its start found and what every frame of it took in
// from outside, enough to run it again frame for frame. The frames are
// kept run-length encoded, as the replay file holds them, so a race of an
// hour takes a few hundred kilobytes at most.
#pragma once

#include "race/obstacles.h"
#include "race/race.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What a start reads that a replay must put back before it starts the
// race again: the settings the race reads, the random generator, the race
// record, the field before its scatter and the best the race had to beat
// (the intro shows it, the end compares); and the frame function's values
// as the first frame found them, after whatever else the frame of the
// start did.
struct ReplayStart {
    int raceType = 0;
    bool showSky = false;
    bool rotateShip = false;
    bool soundOn = false;
    // Accelerate, decelerate, left, right, bomb: a pause key made a race
    // key does not pause.
    int keys[5] = {};
    float gameSpeed = 1.0f;  // the scatter of the start moves by it
    std::uint32_t randomState = 0;
    int bestToBeat = 0;
    RaceState race;
    Obstacle field[fieldRows] = {};
    float firstMenuClock = 0.0f;
    int firstRepeatDelay = 0;
    float firstGameSpeed = 1.0f;
};

// What one frame took in: the race's controls, and Enter, Escape and F12
// as the frame function saw them, with the rate counted before the frame
// (what F12 reads, and what the frame before was tuned to).
struct ReplayFrame {
    RaceControls controls;
    bool enter = false;
    bool escape = false;
    bool speedKey = false;
    int framesPerSecond = 0;
    // Something besides the race moved the generator since the frame
    // before (a new window seeds it): where it stood before this frame.
    bool reseeded = false;
    std::uint32_t randomState = 0;
};

// Races longer than these (days of racing) are not recorded or read: memory
// stays bounded, and so does the time a check takes. No race the game
// paces at 60 frames a second counts a higher rate, or has its speed
// factor tuned anywhere near the highest here, which keeps every score a
// replay can reach within an int.
constexpr std::size_t longestRuns = 16u << 20;
constexpr std::uint32_t mostFrames = 1u << 24;  // 77 hours at 60 frames a second
constexpr std::uint32_t highestRate = 1000;
constexpr float highestSpeed = 100.0f;

struct Replay {
    ReplayStart start;
    int best = 0;              // the shown score it ended with: the best stored with it
    std::uint32_t frames = 0;  // how many frames the runs hold
    std::string runs;
};

// Appends `count` frames like `frame` as one run. `statedRate` is the rate
// the runs stated last (-1 before the first run); a run states its rate
// only when it changes.
void appendRun(std::string& runs, const ReplayFrame& frame, std::uint32_t count,
               long long& statedRate);

// The runs read back frame by frame.
struct ReplayReader {
    const std::string* runs = nullptr;
    std::size_t at = 0;
    ReplayFrame run;          // the frame the current run repeats
    std::uint32_t left = 0;   // frames of it still to give
    bool rateStated = false;  // the first run must state the rate
    bool broken = false;      // a run cut short, or a value out of range
};

ReplayReader readRuns(const std::string& runs);
// The next frame; false at the end of the runs, or where they are broken.
bool nextFrame(ReplayReader& reader, ReplayFrame& frame);
