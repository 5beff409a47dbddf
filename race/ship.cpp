// The ship, its banking, steering and speed.
#include "race/ship.h"

#include "game/input.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/frame_record.h"
#include "race/race.h"
#include "race/race_types.h"
#include "render/textures.h"

#include <GL/gl.h>

namespace {

constexpr float steerStep = 0.6333333f;
constexpr float coarseDecay = 0.26666668f;
constexpr float fineDecay = 0.033333335f;

// Each step tests what the one before left, so a small velocity ends at or
// very near 0 instead of swinging across it.
void decaySteering()
{
    float& velocity = race.steerVelocity;
    const float speed = settings.gameSpeed;
    if (velocity < 0.0f)
        velocity += coarseDecay * speed;
    if (velocity > 0.0f)
        velocity -= coarseDecay * speed;
    if (velocity < 0.0f)
        velocity += fineDecay * speed;
    if (velocity > 0.0f)
        velocity -= fineDecay * speed;
}

}  // namespace

void hideRaceCursor()
{
    if (ShowCursor(FALSE) > -2)
        ShowCursor(FALSE);
    ShowCursor(TRUE);
}

void drawShipAndTurnWorld()
{
    if (settings.raceType == RaceType::JOURNEY && race.barLevel < 0.0f)
        return;
    if (settings.rotateShip)
        glRotatef(race.steerVelocity, 0.0f, 0.0f, 20.0f);

    // The two looks alternate at random: the engines flicker.
    glBindTexture(GL_TEXTURE_2D, raceRandom() % 2 == 0 ? shipTextureB : shipTextureA);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(1.0f, 1.5f, -2.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-1.0f, 1.5f, -2.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-1.0f, 0.0f, -2.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, -2.0f);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, noTexture);

    // SHIP mode: undoes the bank, the world stays level. WORLD mode: the
    // ship stayed level and the world turns the other way.
    glRotatef(-race.steerVelocity, 0.0f, 0.0f, 20.0f);
}

void steer()
{
    const bool leftKey = isKeyDown(settings.leftKey);
    const bool rightKey = isKeyDown(settings.rightKey);
    const float speed = settings.gameSpeed;
    float& velocity = race.steerVelocity;

    if ((leftKey && rightKey) || (input.leftButtonDown && input.rightButtonDown)) {
        decaySteering();
    } else if (leftKey || input.leftButtonDown) {
        if (!(velocity > 10.0f))
            velocity += steerStep * speed;
    } else if (rightKey || input.rightButtonDown) {
        if (!(velocity < -10.0f))
            velocity -= steerStep * speed;
    } else {
        decaySteering();
    }
}

void applySpeedKeys()
{
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    if (type != nullptr && !type->speedKeys)
        return;
    // Scaled like every motion, so a second of holding the key gives the
    // same speed at any frame rate.
    if (isKeyDown(settings.accelerateKey))
        race.shipSpeed += 0.01 * settings.gameSpeed;
    if (isKeyDown(settings.decelerateKey) && race.shipSpeed > 0.0f)
        race.shipSpeed -= 0.03 * settings.gameSpeed;
}
