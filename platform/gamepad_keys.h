// Game controllers as a second keyboard, the same on every system: the
// d-pad and left stick are the arrow keys, A and Start are Enter, B and
// Back are Escape, X is Space. Each system's side reads its controllers and
// tells these functions what changed. Platform-private.
#pragma once

#include <array>

enum class PadButton : int { A, B, X, BACK, START, UP, DOWN, LEFT, RIGHT, COUNT };

// What one controller holds down.
struct PadState {
    std::array<bool, static_cast<int>(PadButton::COUNT)> buttonsDown{};
    int stickX = 0;  // -1 left, +1 right, 0 neither
    int stickY = 0;  // -1 up, +1 down
};

// A button pressed or let go; a repeated report is not a second press.
void padButton(PadState& pad, PadButton button, bool down);
// The left stick's position on one axis, -32768 to 32767, right and down
// positive.
void padStick(PadState& pad, bool horizontal, int value);
// An unplugged controller lets go of everything it held.
void padGone(PadState& pad);
