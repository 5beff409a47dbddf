// Game controllers as a second keyboard: the d-pad and left stick are the
// arrow keys, A and Start are Enter, B and Back are Escape, X is Space.
// Platform-private: game code never includes this header.
#pragma once

#include <SDL.h>

// Starts SDL's controller support once video is up; without it the game
// simply has no gamepads.
void startGamepads();

// Controller plug, unplug, button and axis events in; key messages out, to
// the window the keyboard would reach.
void translateGamepadEvent(const SDL_Event& event);
