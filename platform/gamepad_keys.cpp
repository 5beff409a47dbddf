// Controller buttons and the left stick turned into the key messages the
// keyboard would send.
#include "platform/gamepad_keys.h"

#include "platform/message_queue.h"

namespace {

// The left stick presses its arrow past half its travel and lets go only
// below 30 %, so a stick resting near the threshold does not chatter.
constexpr int stickPressThreshold = 16384;
constexpr int stickReleaseThreshold = 9830;

// How many controls hold each key: d-pad Left and the stick pushed left
// are one key, released only when both have let go.
std::array<int, 256> holders{};

int virtualKeyOf(PadButton button)
{
    switch (button) {
    case PadButton::UP: return VK_UP;
    case PadButton::DOWN: return VK_DOWN;
    case PadButton::LEFT: return VK_LEFT;
    case PadButton::RIGHT: return VK_RIGHT;
    case PadButton::A:
    case PadButton::START: return VK_RETURN;
    case PadButton::B:
    case PadButton::BACK: return VK_ESCAPE;
    case PadButton::X: return VK_SPACE;
    default: return 0;
    }
}

int virtualKeyOfStick(bool horizontal, int direction)
{
    if (horizontal)
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
    ++holders[code];
    send(WM_KEYDOWN, code);
}

void release(int code)
{
    if (holders[code] == 0)
        return;
    if (--holders[code] == 0)
        send(WM_KEYUP, code);
}

void releaseStick(int& held, bool horizontal)
{
    if (held != 0)
        release(virtualKeyOfStick(horizontal, held));
    held = 0;
}

}  // namespace

void padButton(PadState& pad, PadButton button, bool down)
{
    const int index = static_cast<int>(button);
    if (index < 0 || index >= static_cast<int>(PadButton::COUNT))
        return;
    bool& wasDown = pad.buttonsDown[static_cast<std::size_t>(index)];
    if (down == wasDown)
        return;
    wasDown = down;
    if (down)
        press(virtualKeyOf(button));
    else
        release(virtualKeyOf(button));
}

void padStick(PadState& pad, bool horizontal, int value)
{
    int& held = horizontal ? pad.stickX : pad.stickY;
    if (held != 0 && held * value < stickReleaseThreshold)
        releaseStick(held, horizontal);
    if (held == 0 && (value >= stickPressThreshold || value <= -stickPressThreshold)) {
        held = value < 0 ? -1 : 1;
        press(virtualKeyOfStick(horizontal, held));
    }
}

void padGone(PadState& pad)
{
    for (int button = 0; button < static_cast<int>(PadButton::COUNT); ++button)
        padButton(pad, static_cast<PadButton>(button), false);
    releaseStick(pad.stickX, true);
    releaseStick(pad.stickY, false);
}
