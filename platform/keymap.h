// SDL key codes to the virtual-key codes the game indexes its key table by.
#pragma once

#include <SDL.h>

// 0 for a key the game has no code for. Works from the key's symbol, not its
// position, so letters come out as labelled on any layout.
int virtualKeyFromKeycode(SDL_Keycode key);
