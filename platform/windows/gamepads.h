// Game controllers through XInput, read at every look at the message
// queue and handed to the shared controller keys (gamepad_keys.cpp).
#pragma once

void pollGamepads();
