// SDL keys to the virtual-key codes the game indexes its key table by.
#pragma once

#include <SDL.h>

// 0 for a key the game has no code for. Letters are named by the letter the
// layout puts on the key; every other key by where it sits, as a US
// keyboard names that place, so the digit row and the punctuation keys
// give the same codes on every layout. A key SDL knows only by its symbol
// (position unknown) is placed where the current layout has that symbol.
int virtualKeyFromKey(SDL_Scancode position, SDL_Keycode symbol);
