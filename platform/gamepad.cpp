// SDL's game controllers, opened as they are plugged in, their events
// handed to the shared controller keys (gamepad_keys.cpp).
#include "platform/gamepad.h"

#include "platform/gamepad_keys.h"
#include "platform/platform_state.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct ControllerRecord {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;  // null for one we never opened
    PadState pad;
};

struct GamepadRecord {
    bool started = false;
    std::vector<ControllerRecord> controllers;
};

GamepadRecord gamepads;

// The buttons the game gives a key; -1 for the others.
int padButtonOf(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return static_cast<int>(PadButton::UP);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return static_cast<int>(PadButton::DOWN);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return static_cast<int>(PadButton::LEFT);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return static_cast<int>(PadButton::RIGHT);
    case SDL_CONTROLLER_BUTTON_A: return static_cast<int>(PadButton::A);
    case SDL_CONTROLLER_BUTTON_START: return static_cast<int>(PadButton::START);
    case SDL_CONTROLLER_BUTTON_B: return static_cast<int>(PadButton::B);
    case SDL_CONTROLLER_BUTTON_BACK: return static_cast<int>(PadButton::BACK);
    case SDL_CONTROLLER_BUTTON_X: return static_cast<int>(PadButton::X);
    default: return -1;
    }
}

ControllerRecord* findController(SDL_JoystickID id)
{
    auto entry = std::find_if(gamepads.controllers.begin(), gamepads.controllers.end(),
                              [id](const ControllerRecord& record) { return record.id == id; });
    return entry != gamepads.controllers.end() ? &*entry : nullptr;
}

// Events can come from a controller we did not open ourselves; it is
// tracked all the same.
ControllerRecord& controllerFor(SDL_JoystickID id)
{
    if (ControllerRecord* known = findController(id))
        return *known;
    ControllerRecord record;
    record.id = id;
    gamepads.controllers.push_back(record);
    return gamepads.controllers.back();
}

void openController(int deviceIndex)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0)
        return;
    ControllerRecord& record = controllerFor(id);
    if (record.controller != nullptr)
        return;  // SDL announces controllers present at start-up once more
    record.controller = SDL_GameControllerOpen(deviceIndex);
}

// An unplugged controller lets go of everything it held.
void closeController(SDL_JoystickID id)
{
    ControllerRecord* record = findController(id);
    if (record == nullptr)
        return;
    padGone(record->pad);
    if (record->controller != nullptr)
        SDL_GameControllerClose(record->controller);
    gamepads.controllers.erase(gamepads.controllers.begin() +
                               (record - gamepads.controllers.data()));
}

void translateButton(const SDL_ControllerButtonEvent& event)
{
    const int button = padButtonOf(event.button);
    if (button < 0)
        return;
    padButton(controllerFor(event.which).pad, static_cast<PadButton>(button),
              event.type == SDL_CONTROLLERBUTTONDOWN);
}

void translateAxis(const SDL_ControllerAxisEvent& event)
{
    if (event.axis != SDL_CONTROLLER_AXIS_LEFTX && event.axis != SDL_CONTROLLER_AXIS_LEFTY)
        return;
    padStick(controllerFor(event.which).pad, event.axis == SDL_CONTROLLER_AXIS_LEFTX, event.value);
}

}  // namespace

void startGamepads()
{
    if (gamepads.started)
        return;
    gamepads.started = true;
    // Controllers already plugged in arrive as device-added events.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void translateGamepadEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: openController(event.cdevice.which); return;
    case SDL_CONTROLLERDEVICEREMOVED: closeController(event.cdevice.which); return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
            translateButton(event.cbutton);
        return;
    case SDL_CONTROLLERAXISMOTION: translateAxis(event.caxis); return;
    default: return;
    }
}
