// The race's controls from the input.
#include "race/race_controls.h"

#include "game/input.h"
#include "persist/settings.h"
#include "platform/win32.h"

RaceControls readRaceControls()
{
    RaceControls controls;
    controls.accelerate = isKeyDown(settings.accelerateKey);
    controls.decelerate = isKeyDown(settings.decelerateKey);
    controls.left = isKeyDown(settings.leftKey);
    controls.right = isKeyDown(settings.rightKey);
    controls.bomb = isKeyDown(settings.bombKey);
    controls.leftButton = input.leftButtonDown;
    controls.rightButton = input.rightButtonDown;
    controls.endKey = isKeyDown(VK_END);
    controls.zeroKey = isKeyDown('0');
    return controls;
}

bool steeringLeft(const RaceControls& controls) { return controls.left || controls.leftButton; }
bool steeringRight(const RaceControls& controls) { return controls.right || controls.rightButton; }
