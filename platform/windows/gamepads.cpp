// XInput controllers, the four a system can have, read at every look at the
// queue: what changed since the last look goes to the shared controller
// keys. XInput is found when first needed, so a system without it simply
// has no controllers.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <xinput.h>

#include "platform/windows/gamepads.h"

#include "platform/gamepad_keys.h"

#include <array>
#include <cstring>

namespace {

using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

struct PadSlot {
    bool connected = false;
    DWORD lastPacket = 0;
    PadState pad;
};

struct GamepadRecord {
    bool tried = false;
    GetState getState = nullptr;
    std::array<PadSlot, XUSER_MAX_COUNT> slots{};
    // Looking for a controller that is not there is slow: empty slots are
    // looked at again only now and then.
    DWORD lastSearch = 0;
};

GamepadRecord gamepads;

constexpr DWORD searchMilliseconds = 2000;

void findXInput()
{
    gamepads.tried = true;
    for (const char* library : {"xinput1_4.dll", "xinput9_1_0.dll", "xinput1_3.dll"}) {
        if (HMODULE module = LoadLibraryA(library)) {
            const FARPROC found = GetProcAddress(module, "XInputGetState");
            if (found != nullptr) {
                std::memcpy(&gamepads.getState, &found, sizeof gamepads.getState);
                return;
            }
        }
    }
}

void readButtons(PadState& pad, WORD buttons)
{
    const struct {
        WORD mask;
        PadButton button;
    } map[] = {
        {XINPUT_GAMEPAD_A, PadButton::A},
        {XINPUT_GAMEPAD_B, PadButton::B},
        {XINPUT_GAMEPAD_X, PadButton::X},
        {XINPUT_GAMEPAD_BACK, PadButton::BACK},
        {XINPUT_GAMEPAD_START, PadButton::START},
        {XINPUT_GAMEPAD_DPAD_UP, PadButton::UP},
        {XINPUT_GAMEPAD_DPAD_DOWN, PadButton::DOWN},
        {XINPUT_GAMEPAD_DPAD_LEFT, PadButton::LEFT},
        {XINPUT_GAMEPAD_DPAD_RIGHT, PadButton::RIGHT},
    };
    for (const auto& entry : map)
        padButton(pad, entry.button, (buttons & entry.mask) != 0);
}

}  // namespace

void pollGamepads()
{
    if (!gamepads.tried)
        findXInput();
    if (gamepads.getState == nullptr)
        return;
    const DWORD now = GetTickCount();
    const bool search = now - gamepads.lastSearch >= searchMilliseconds;
    if (search)
        gamepads.lastSearch = now;
    for (DWORD user = 0; user < XUSER_MAX_COUNT; ++user) {
        PadSlot& slot = gamepads.slots[user];
        if (!slot.connected && !search)
            continue;
        XINPUT_STATE state{};
        if (gamepads.getState(user, &state) != ERROR_SUCCESS) {
            if (slot.connected)
                padGone(slot.pad);
            slot = PadSlot{};
            continue;
        }
        if (slot.connected && state.dwPacketNumber == slot.lastPacket)
            continue;
        slot.connected = true;
        slot.lastPacket = state.dwPacketNumber;
        readButtons(slot.pad, state.Gamepad.wButtons);
        padStick(slot.pad, true, state.Gamepad.sThumbLX);
        // XInput's stick is positive upwards; the game's down.
        padStick(slot.pad, false, -static_cast<int>(state.Gamepad.sThumbLY) - 1);
    }
}
