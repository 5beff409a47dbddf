// The obstacle field.
#include "race/obstacles.h"

#include "game/random.h"
#include "persist/settings.h"
#include "race/race.h"
#include "race/race_sounds.h"
#include "race/race_types.h"

#include <cmath>

const FieldRow fieldTable[fieldRows] = {
    {0.0f, 0.0f, 0.7f, ObstacleShape::HEXAGON},  {0.7f, 0.0f, 0.0f, ObstacleShape::HEXAGON},
    {0.0f, 0.7f, 0.0f, ObstacleShape::HEXAGON},  {0.9f, 0.0f, 0.0f, ObstacleShape::HEXAGON},
    {0.8f, 0.8f, 0.1f, ObstacleShape::HEXAGON},  {0.0f, 0.0f, 0.7f, ObstacleShape::SQUARE},
    {0.7f, 0.0f, 0.0f, ObstacleShape::SQUARE},   {0.0f, 0.7f, 0.0f, ObstacleShape::SQUARE},
    {0.9f, 0.0f, 0.0f, ObstacleShape::SQUARE},   {0.8f, 0.8f, 0.1f, ObstacleShape::SQUARE},
    {0.0f, 0.0f, 0.7f, ObstacleShape::TRIANGLE}, {0.7f, 0.0f, 0.0f, ObstacleShape::TRIANGLE},
    {0.0f, 0.7f, 0.0f, ObstacleShape::TRIANGLE}, {0.9f, 0.0f, 0.0f, ObstacleShape::TRIANGLE},
    {0.8f, 0.8f, 0.1f, ObstacleShape::TRIANGLE}, {0.7f, 0.0f, 0.0f, ObstacleShape::TRIANGLE},
    {0.0f, 0.7f, 0.0f, ObstacleShape::SQUARE},   {0.9f, 0.0f, 0.0f, ObstacleShape::TRIANGLE},
    {0.0f, 0.0f, 0.7f, ObstacleShape::HEXAGON},  {0.8f, 0.8f, 0.1f, ObstacleShape::SQUARE},
};

Obstacle field[fieldRows];

static_assert(raceFrameShapes >= fieldRows, "a picture holds every row of the field");

namespace {

// Runs with the static construction of this file, before the game starts.
struct InitialPlaces {
    InitialPlaces()
    {
        for (Obstacle& obstacle : field) {
            obstacle.along = static_cast<float>(gameRandom() % 50 - 25);
            obstacle.across = static_cast<float>(gameRandom() % 30 - 15);
        }
    }
};

const InitialPlaces initialPlaces;

// A divisor of 0 gives full intensity to a lit component and none to a
// dark one, as an infinite quotient clamped by GL would.
float explosionComponent(float component, int divisor)
{
    if (divisor == 0)
        return component != 0.0f ? 1.0f : 0.0f;
    return component / static_cast<float>(divisor);
}

// A flickering splinter of the shape's colour in front of the ship.
void explode(float red, float green, float blue, ShapeLook& look)
{
    int redDivisor = gameRandom() % 10;
    int greenDivisor = gameRandom() % 10;
    int blueDivisor = gameRandom() % 10;
    look.explosion = true;
    look.explosionColour =
        RaceColour{explosionComponent(red, redDivisor), explosionComponent(green, greenDivisor),
                   explosionComponent(blue, blueDivisor)};
    for (float* corner : look.corners) {
        corner[0] = static_cast<float>(gameRandom() % 3) - 1.5f;
        corner[1] = static_cast<float>(gameRandom() % 3);
        corner[2] = static_cast<float>(gameRandom() % 3);
    }
}

bool extraRowsJoin()
{
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    switch (type != nullptr ? type->extraRows : ExtraRows::NEVER) {
    case ExtraRows::ALWAYS: return true;
    case ExtraRows::PAST_500: return shownScore() > 500;
    default: return false;
    }
}

void updateRow(int row, bool scatter, const RaceControls& controls, FieldLook& look)
{
    const FieldRow& entry = fieldTable[row];
    const ShapeLook shape =
        field[row].update(entry.red, entry.green, entry.blue, scatter, entry.shape, controls);
    if (look.count < raceFrameShapes)
        look.shapes[look.count++] = shape;
}

}  // namespace

ShapeLook Obstacle::update(float red, float green, float blue, bool scatter, int shape,
                           const RaceControls& controls)
{
    ShapeLook look;
    if (scatter) {
        across -= static_cast<float>(gameRandom() % 50 - 25);
        along -= static_cast<float>(gameRandom() % 20 + 50);
        look.flash = true;
    }

    // The field drifts only while the matching steering is held; the
    // velocity's decay after release moves nothing.
    const float speed = settings.gameSpeed;
    if (steeringLeft(controls) && race.steerVelocity > 0.0f)
        across += std::fabs(race.steerVelocity) * 0.1 * speed * 0.25;
    if (steeringRight(controls) && race.steerVelocity < 0.0f)
        across -= std::fabs(race.steerVelocity) * 0.1 * speed * 0.25;

    look.colour = scatter ? RaceColour{1.0f, 0.0f, 0.0f} : RaceColour{red, green, blue};
    look.shape = shape;
    look.across = across;
    look.depth = along - 60.0f;
    // The tip is always lighter than the row's colour, even when the base
    // shows the scatter red.
    look.apex = RaceColour{red + 0.3f, green + 0.1f, blue + 0.1f};

    along += (race.shipSpeed + 0.8) * speed;

    if (along > 73.0f) {
        along = -14.0f;
        across += static_cast<float>(gameRandom() % 70 - 35);
    }
    if (across < -50.0f || across > 50.0f) {
        along = -14.0f;
        across = static_cast<float>(gameRandom() % 60 - 30);
    }

    if (along > 55.0f && along < 65.0f && across > -1.5f && across < 1.5f) {
        race.barLevel -= (race.shipSpeed * 0.02 + 0.065) * speed;
        if (settings.soundOn)
            playRaceSound(gameRandom() % 2 == 1 ? "Data/Boom1.wav" : "Data/Boom2.wav");
        explode(red, green, blue, look);
    }
    return look;
}

void updateRacingField(const RaceControls& controls, FieldLook& look)
{
    static const int order[fieldObstacles] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 11, 12, 13};
    for (int row : order)
        updateRow(row, false, controls, look);

    if (extraRowsJoin()) {
        for (int row = fieldObstacles; row < fieldRows; ++row)
            updateRow(row, false, controls, look);
    }
}

void scatterField(const RaceControls& controls, FieldLook& look)
{
    for (int row = 0; row < fieldObstacles; ++row)
        updateRow(row, true, controls, look);
}
