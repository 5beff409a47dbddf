// The polled input every frame reads: which keys are down, the last key
// let go, and the mouse. The window procedure fills it between frames.
#pragma once

struct InputState {
    bool keys[256] = {};      // down, by virtual-key code
    int lastReleasedKey = 0;  // code of the most recent key-up
    bool keyHeld = false;     // a key-down came after the last key-up (of any key)
    float mouseX = 0.0f;      // client coordinates of the last mouse move
    float mouseY = 0.0f;
    bool mouseMoved = false;  // a mouse move arrived since the end of the last frame
    bool leftButtonDown = false;
    bool rightButtonDown = false;
};

extern InputState input;

// Whether the key of a stored code is down. Codes come from the settings
// file, so any int is possible; one outside the table matches no key.
bool isKeyDown(int code);
