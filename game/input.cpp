// The polled input record and the key test every race key goes through.
#include "game/input.h"

InputState input;

bool isKeyDown(int code) { return code >= 0 && code < 256 && input.keys[code]; }
