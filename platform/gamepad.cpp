// Game controllers turned into the key messages the keyboard would send.
#include "platform/gamepad.h"

#include "platform/platform_state.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The left stick presses its arrow past half its travel and lets go only
// below 30 %, so a stick resting near the threshold does not chatter.
constexpr int stickPressThreshold = 16384;
constexpr int stickReleaseThreshold = 9830;

struct ControllerRecord {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;  // null for one we never opened
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttonsDown{};
    int stickX = 0;  // -1 left, +1 right, 0 neither
    int stickY = 0;  // -1 up, +1 down
};

struct GamepadRecord {
    bool started = false;
    std::vector<ControllerRecord> controllers;
    // How many controls hold each key: d-pad Left and the stick pushed left
    // are one key, released only when both have let go.
    std::array<int, 256> holders{};
};

GamepadRecord gamepads;

int virtualKeyFromButton(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return VK_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return VK_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return VK_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return VK_RIGHT;
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_START: return VK_RETURN;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_BACK: return VK_ESCAPE;
    case SDL_CONTROLLER_BUTTON_X: return VK_SPACE;
    default: return 0;
    }
}

int virtualKeyFromStick(Uint8 axis, int direction)
{
    if (axis == SDL_CONTROLLER_AXIS_LEFTX)
        return direction < 0 ? VK_LEFT : VK_RIGHT;
    return direction < 0 ? VK_UP : VK_DOWN;
}

// Controllers speak to the window the keyboard would reach.
void send(UINT message, int code)
{
    const HWND window = keyboardWindow();
    if (window != nullptr)
        queueMessage(window, message, static_cast<WPARAM>(code), 0);
}

// Every press says so, as a second key of the same code would; the key goes
// up only when its last holder lets go.
void press(int code)
{
    ++gamepads.holders[code];
    send(WM_KEYDOWN, code);
}

void release(int code)
{
    if (gamepads.holders[code] == 0)
        return;
    if (--gamepads.holders[code] == 0)
        send(WM_KEYUP, code);
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

void releaseStick(int& held, Uint8 axis)
{
    if (held != 0)
        release(virtualKeyFromStick(axis, held));
    held = 0;
}

// An unplugged controller lets go of everything it held.
void closeController(SDL_JoystickID id)
{
    ControllerRecord* record = findController(id);
    if (record == nullptr)
        return;
    for (std::size_t button = 0; button < record->buttonsDown.size(); ++button) {
        if (record->buttonsDown[button])
            release(virtualKeyFromButton(static_cast<Uint8>(button)));
    }
    releaseStick(record->stickX, SDL_CONTROLLER_AXIS_LEFTX);
    releaseStick(record->stickY, SDL_CONTROLLER_AXIS_LEFTY);
    if (record->controller != nullptr)
        SDL_GameControllerClose(record->controller);
    gamepads.controllers.erase(gamepads.controllers.begin() +
                               (record - gamepads.controllers.data()));
}

void translateButton(const SDL_ControllerButtonEvent& event)
{
    const int code = virtualKeyFromButton(event.button);
    if (code == 0)
        return;
    ControllerRecord& record = controllerFor(event.which);
    const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
    bool& wasDown = record.buttonsDown[event.button];
    if (down == wasDown)
        return;  // a repeated report is not a second press
    wasDown = down;
    if (down)
        press(code);
    else
        release(code);
}

void translateAxis(const SDL_ControllerAxisEvent& event)
{
    if (event.axis != SDL_CONTROLLER_AXIS_LEFTX && event.axis != SDL_CONTROLLER_AXIS_LEFTY)
        return;
    ControllerRecord& record = controllerFor(event.which);
    int& held = event.axis == SDL_CONTROLLER_AXIS_LEFTX ? record.stickX : record.stickY;
    const int value = event.value;
    if (held != 0 && held * value < stickReleaseThreshold)
        releaseStick(held, event.axis);
    if (held == 0 && (value >= stickPressThreshold || value <= -stickPressThreshold)) {
        held = value < 0 ? -1 : 1;
        press(virtualKeyFromStick(event.axis, held));
    }
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
    case SDL_CONTROLLERDEVICEADDED:
        openController(event.cdevice.which);
        return;
    case SDL_CONTROLLERDEVICEREMOVED:
        closeController(event.cdevice.which);
        return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (event.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
            translateButton(event.cbutton);
        return;
    case SDL_CONTROLLERAXISMOTION:
        translateAxis(event.caxis);
        return;
    default:
        return;
    }
}
