// The obstacle field.
#include "race/obstacles.h"

#include "game/input.h"
#include "game/random.h"
#include "persist/settings.h"
#include "race/frame_record.h"
#include "race/race.h"
#include "race/race_types.h"

#include <GL/gl.h>

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

// At the ship's depth this covers the whole view: the reddish flash of a
// start or a bomb.
void drawFlashQuad()
{
    glColor3f(0.7f, 0.3f, 0.3f);
    glBegin(GL_QUADS);
    glVertex3f(-10.25f, 20.5f, -2.0f);
    glVertex3f(10.25f, 20.5f, -2.0f);
    glVertex3f(10.5f, -10.0f, -2.0f);
    glVertex3f(-10.5f, -10.0f, -2.0f);
    glEnd();
}

void drawShape(int shape, float across, float z, float red, float green, float blue)
{
    switch (shape) {
    case ObstacleShape::HEXAGON:
        glBegin(GL_POLYGON);
        glVertex3f(across + 0.6f, 1.5f, z);
        glVertex3f(across - 0.6f, 1.5f, z);
        glVertex3f(across - 1.08f, 0.6f, z);
        glVertex3f(across - 0.6f, -0.3f, z);
        glVertex3f(across + 0.6f, -0.3f, z);
        glVertex3f(across + 1.08f, 0.6f, z);
        glEnd();
        break;
    case ObstacleShape::SQUARE:
        glBegin(GL_QUADS);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(across - 1.0f, -1.0f, z);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(across + 1.0f, -1.0f, z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(across + 1.0f, 2.0f, z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(across - 1.0f, 2.0f, z);
        glEnd();
        break;
    case ObstacleShape::TRIANGLE:
        // The apex is always lighter than the row's colour, even when the
        // base shows the scatter red.
        glBegin(GL_TRIANGLES);
        glVertex3f(across - 1.0f, -1.0f, z);
        glVertex3f(across + 1.0f, -1.0f, z);
        glColor3f(red + 0.3f, green + 0.1f, blue + 0.1f);
        glVertex3f(across, 3.0f, z);
        glEnd();
        break;
    default:
        break;
    }
}

// A divisor of 0 gives full intensity to a lit component and none to a
// dark one, as an infinite quotient clamped by GL would.
float explosionComponent(float component, int divisor)
{
    if (divisor == 0)
        return component != 0.0f ? 1.0f : 0.0f;
    return component / static_cast<float>(divisor);
}

// A flickering splinter of the shape's colour in front of the ship.
void drawExplosion(float red, float green, float blue)
{
    int redDivisor = raceRandom() % 10;
    int greenDivisor = raceRandom() % 10;
    int blueDivisor = raceRandom() % 10;
    glColor3f(explosionComponent(red, redDivisor), explosionComponent(green, greenDivisor),
              explosionComponent(blue, blueDivisor));
    glBegin(GL_QUADS);
    for (int corner = 0; corner < 4; ++corner) {
        float x = static_cast<float>(raceRandom() % 3) - 1.5f;
        float y = static_cast<float>(raceRandom() % 3);
        float z = static_cast<float>(raceRandom() % 3);
        glVertex3f(x, y, z);
    }
    glEnd();
}

bool steeringLeft() { return isKeyDown(settings.leftKey) || input.leftButtonDown; }
bool steeringRight() { return isKeyDown(settings.rightKey) || input.rightButtonDown; }

bool extraRowsJoin()
{
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    switch (type != nullptr ? type->extraRows : ExtraRows::NEVER) {
    case ExtraRows::ALWAYS: return true;
    case ExtraRows::PAST_500: return shownScore() > 500;
    default: return false;
    }
}

void updateRow(int row, bool scatter)
{
    const FieldRow& look = fieldTable[row];
    field[row].update(look.red, look.green, look.blue, scatter, look.shape);
}

}  // namespace

void Obstacle::update(float red, float green, float blue, bool scatter, int shape)
{
    if (scatter) {
        across -= static_cast<float>(raceRandom() % 50 - 25);
        along -= static_cast<float>(raceRandom() % 20 + 50);
        drawFlashQuad();
    }

    // The field drifts only while the matching steering is held; the
    // velocity's decay after release moves nothing.
    const float speed = settings.gameSpeed;
    if (steeringLeft() && race.steerVelocity > 0.0f)
        across += std::fabs(race.steerVelocity) * 0.1 * speed * 0.25;
    if (steeringRight() && race.steerVelocity < 0.0f)
        across -= std::fabs(race.steerVelocity) * 0.1 * speed * 0.25;

    if (scatter)
        glColor3f(1.0f, 0.0f, 0.0f);
    else
        glColor3f(red, green, blue);
    drawShape(shape, across, along - 60.0f, red, green, blue);

    along += (race.shipSpeed + 0.8) * speed;

    if (along > 73.0f) {
        along = -14.0f;
        across += static_cast<float>(raceRandom() % 70 - 35);
    }
    if (across < -50.0f || across > 50.0f) {
        along = -14.0f;
        across = static_cast<float>(raceRandom() % 60 - 30);
    }

    if (along > 55.0f && along < 65.0f && across > -1.5f && across < 1.5f) {
        race.barLevel -= (race.shipSpeed * 0.02 + 0.065) * speed;
        if (settings.soundOn)
            playRaceSound(raceRandom() % 2 == 1 ? "Data/Boom1.wav" : "Data/Boom2.wav");
        drawExplosion(red, green, blue);
    }
}

void updateRacingField()
{
    static const int order[fieldObstacles] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 11, 12, 13};
    for (int row : order)
        updateRow(row, false);

    if (extraRowsJoin()) {
        for (int row = fieldObstacles; row < fieldRows; ++row)
            updateRow(row, false);
    }
}

void scatterField()
{
    for (int row = 0; row < fieldObstacles; ++row)
        updateRow(row, true);
}
