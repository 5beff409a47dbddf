// The ship: its look, steering and speed.
#include "race/ship.h"

#include "game/random.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "race/race_types.h"

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

void showShip(RaceFrame& frame)
{
    frame.ship = !(settings.raceType == RaceType::JOURNEY && race.barLevel < 0.0f);
    if (!frame.ship)
        return;
    frame.shipBanks = settings.rotateShip;
    frame.bank = race.steerVelocity;
    // The two looks alternate at random: the engines flicker.
    frame.shipLookB = gameRandom() % 2 == 0;
}

void steer(const RaceControls& controls)
{
    const float speed = settings.gameSpeed;
    float& velocity = race.steerVelocity;

    if ((controls.left && controls.right) || (controls.leftButton && controls.rightButton)) {
        decaySteering();
    } else if (steeringLeft(controls)) {
        if (!(velocity > 10.0f))
            velocity += steerStep * speed;
    } else if (steeringRight(controls)) {
        if (!(velocity < -10.0f))
            velocity -= steerStep * speed;
    } else {
        decaySteering();
    }
}

void applySpeedKeys(const RaceControls& controls)
{
    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    if (type != nullptr && !type->speedKeys)
        return;
    // Scaled like every motion, so a second of holding the key gives the
    // same speed at any frame rate.
    if (controls.accelerate)
        race.shipSpeed += 0.01 * settings.gameSpeed;
    if (controls.decelerate && race.shipSpeed > 0.0f)
        race.shipSpeed -= 0.03 * settings.gameSpeed;
}
