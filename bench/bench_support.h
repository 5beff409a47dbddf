// What the benchmark's measurements share: a game folder of their own, a
// monotonic clock, input delivered through the window procedure, summaries
// of frame times, and the small JSON files the results formatter reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

// --- Game folder ------------------------------------------------------------

// The settings the measurements play with: windowed, race keys on the
// arrows and Space. `resolutionIndex` 2 is 640 x 480, 3 is 1024 x 768.
std::string settingsFileText(int resolutionIndex, int raceType, bool sky, bool sound);
// A high-score table with no results yet, windowed.
std::string scoresFileText();

// Makes a temporary folder whose Data folder links the generated pictures,
// sounds and music and holds the two data files given, and enters it.
void enterGameFolder(const std::string& settingsText, const std::string& scoresText);
// Leaves it and deletes it.
void leaveGameFolder();

// --- Time -------------------------------------------------------------------

std::int64_t monotonicNanoseconds();

// The game's clock, fixed, moved on by one second every `rate` frames: the
// game counts exactly `rate` frames a second however fast they are drawn.
struct SimulatedClock {
    std::time_t now = 1'000'000;  // also the random seed of every new context
    int rate = 60;
    int framesThisSecond = 0;

    void start(int framesPerSecond);
    void frameDone();
};

// --- Input, as window messages deliver it ----------------------------------

void keyDown(int code);
void keyUp(int code);
// Holds or lets go of a key, sending a message only on a change.
void holdKey(int code, bool down);
void moveMouseTo(int x, int y);

// --- Frames -----------------------------------------------------------------

// drawScene, SwapBuffers and glFinish of one frame, in milliseconds.
double timedGameFrame();

struct CostSummary {
    int frames = 0;
    double median = 0.0;
    double p90 = 0.0;
    double mean = 0.0;
};
CostSummary summarise(std::vector<double> milliseconds);

// --- The game's own entry ---------------------------------------------------

// What the program's main does: the display check, then WinMain.
int runGameMain();

// --- Results ----------------------------------------------------------------

// A flat JSON object written a member at a time.
struct JsonObject {
    std::string text = "{";
    void add(const std::string& key, double value);
    void add(const std::string& key, const std::string& value);
    void addRaw(const std::string& key, const std::string& json);
    std::string close() const { return text + "}"; }
};
std::string jsonCost(const CostSummary& cost);
std::string jsonNumbers(const std::vector<double>& values);

// Writes `json` to `path`; false (after saying why) when it cannot.
bool writeTextFile(const std::string& path, const std::string& json);
