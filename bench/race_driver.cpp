// The scripted player.
#include "bench/race_driver.h"

#include "bench/bench_support.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_timing.h"

#include <algorithm>
#include <cmath>

namespace {

// One weave: steer left, straight on, steer right, straight on (frames).
constexpr int weave = 120;
constexpr int leftUntil = 24;
constexpr int rightFrom = 60;
constexpr int rightUntil = 84;
// A bomb every so many frames while there are bombs.
constexpr int bombEvery = 400;
constexpr float cruisingSpeed = 1.0f;
constexpr float dodgingSpeed = 0.8f;
// How close to either end of the bar a kept race may come.
constexpr float barMargin = 0.25f;

float barTargetFor(int raceType)
{
    switch (raceType) {
    case RaceType::SHORT: return 2.0f;
    case RaceType::MEDIUM: return 4.0f;
    case RaceType::LONG: return 6.0f;
    default: return 10000000.0f;
    }
}

// How far the field drifts in `frames` frames while a steering key is held
// (direction +1 for left, which moves the field to the right), starting
// from the present sideways velocity. The field drifts only while the
// velocity agrees with the key.
float driftWhileSteering(int direction, int frames)
{
    float velocity = race.steerVelocity;
    float drift = 0.0f;
    for (int i = 0; i < frames; ++i) {
        if (direction * velocity <= 10.0f)
            velocity += direction * 0.6333333f;
        if (direction * velocity > 0.0f)
            drift += direction * std::fabs(velocity) * 0.025f;
    }
    return drift;
}

// Steering left moves the field to the right (across grows): of left,
// straight on and right, take the one whose predicted field puts the
// fewest shapes (the nearest counting most) in the ship's way.
void steerAway(bool& left, bool& right)
{
    constexpr float contactStart = 55.0f;
    constexpr float reach = 1.8f;
    const float step = race.shipSpeed + 0.8f;
    float danger[3] = {0.0f, 0.0f, 0.0f};
    for (const Obstacle& obstacle : field) {
        if (obstacle.along < 5.0f || obstacle.along > 65.0f)
            continue;
        const int frames = std::max(0, static_cast<int>((contactStart - obstacle.along) / step));
        for (int direction = -1; direction <= 1; ++direction) {
            const float across =
                obstacle.across + (direction == 0 ? 0.0f : driftWhileSteering(direction, frames));
            if (std::fabs(across) < reach)
                danger[direction + 1] += 1.0f / (1.0f + frames);
        }
    }
    int best = 1;
    if (danger[0] < danger[best])
        best = 0;
    if (danger[2] < danger[best])
        best = 2;
    right = best == 0;
    left = best == 2;
}

}  // namespace

void RaceDriver::start()
{
    stop();
    settings.raceType = raceType;
    race.barTarget = barTargetFor(raceType);
    startRace();
    frame = 0;
}

bool RaceDriver::countdownOver() const { return ::countdownOver(); }

bool RaceDriver::raceOver() const
{
    if (raceType == RaceType::JOURNEY)
        return race.barLevel < 0.0f;
    return race.barLevel > race.barTarget || race.barLevel < 0.0f;
}

void RaceDriver::beforeFrame()
{
    if (keepBarRunning && countdownOver()) {
        if (race.barLevel > race.barTarget - barMargin)
            race.barLevel = 0.5f * race.barTarget;
        if (race.barLevel < barMargin)
            race.barLevel = 1.0f;
    }
    barBefore = race.barLevel;
    bombsBefore = race.bombs;

    bool left = false;
    bool right = false;
    if (dodge) {
        steerAway(left, right);
    } else {
        const int phase = frame % weave;
        left = phase < leftUntil;
        right = phase >= rightFrom && phase < rightUntil;
    }
    holdKey(VK_LEFT, left);
    holdKey(VK_RIGHT, right);
    const float cruise = dodge ? dodgingSpeed : cruisingSpeed;
    holdKey(VK_UP, race.shipSpeed < cruise);
    holdKey(VK_DOWN, race.shipSpeed > cruise + 0.3f);
    holdKey(VK_SPACE, race.bombs > 0.0f && frame % bombEvery == bombEvery / 2);
}

void RaceDriver::afterFrame()
{
    ++frame;
    if (race.barLevel < barBefore)
        ++contactFrames;
    if (race.bombs < bombsBefore)
        ++bombsDropped;
    if (countdownOver()) {
        gameSpeedSum += settings.gameSpeed;
        ++racingFrames;
    }
}

void RaceDriver::stop()
{
    for (int code : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE})
        holdKey(code, false);
}

double RaceDriver::meanGameSpeed() const
{
    return racingFrames > 0 ? gameSpeedSum / racingFrames : 0.0;
}
