// The players.
#include "tests/support/race_players.h"

#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"

#include <algorithm>
#include <cmath>

namespace racePlayers {

namespace {

// How far the field drifts in `frames` frames while steering `direction`
// (+1 left, which moves the field to larger across) from the present
// velocity.
float driftWhileSteering(int direction, int frames)
{
    const float speed = settings.gameSpeed;
    float velocity = race.steerVelocity;
    float drift = 0.0f;
    for (int i = 0; i < frames; ++i) {
        if (direction * velocity <= 10.0f)
            velocity += direction * 0.6333333f * speed;
        if (direction * velocity > 0.0f)
            drift += direction * std::fabs(velocity) * 0.025f * speed;
    }
    return drift;
}

}  // namespace

std::string dodge(int rows)
{
    const float step = (race.shipSpeed + 0.8f) * settings.gameSpeed;
    float danger[3] = {0.0f, 0.0f, 0.0f};
    for (int row = 0; row < rows; ++row) {
        const Obstacle& obstacle = field[row];
        if (obstacle.along < 5.0f || obstacle.along > 65.0f)
            continue;
        const int frames = std::max(0, static_cast<int>((55.0f - obstacle.along) / step));
        for (int direction = -1; direction <= 1; ++direction) {
            const float across =
                obstacle.across + (direction == 0 ? 0.0f : driftWhileSteering(direction, frames));
            if (std::fabs(across) < 1.8f)
                danger[direction + 1] += 1.0f / (1.0f + static_cast<float>(frames));
        }
    }
    int best = 1;
    if (danger[0] < danger[best])
        best = 0;
    if (danger[2] < danger[best])
        best = 2;
    return best == 2 ? "L" : best == 0 ? "R" : "";
}

// Steering left moves the field towards larger across.
std::string chase(int rows)
{
    const Obstacle* nearest = nullptr;
    for (int row = 0; row < rows; ++row) {
        const Obstacle& obstacle = field[row];
        if (obstacle.along < 10.0f || obstacle.along > 56.0f)
            continue;
        if (nearest == nullptr || std::fabs(obstacle.across) < std::fabs(nearest->across))
            nearest = &obstacle;
    }
    if (nearest == nullptr || std::fabs(nearest->across) < 0.5f)
        return "";
    return nearest->across > 0.0f ? "R" : "L";
}

std::string cruise(float speed)
{
    if (race.shipSpeed < speed)
        return "U";
    if (race.shipSpeed > speed + 0.3f)
        return "D";
    return "";
}

}  // namespace racePlayers
