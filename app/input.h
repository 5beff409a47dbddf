// The window procedure and the two records it keeps: the polled input
// every frame reads, and whether the window is up and the game goes on.
#pragma once

#include "platform/win32.h"

struct AppState {
    bool active = true;          // the window is not minimised; frames are drawn only then
    bool quitRequested = false;  // the main loop ends at its next test
};

struct InputState {
    bool keys[256] = {};         // down, by virtual-key code
    int lastReleasedKey = 0;     // code of the most recent key-up
    bool keyHeld = false;        // a key-down came after the last key-up (of any key)
    float mouseX = 0.0f;         // client coordinates of the last mouse move
    float mouseY = 0.0f;
    bool mouseMoved = false;     // a mouse move arrived since the end of the last frame
    bool leftButtonDown = false;
    bool rightButtonDown = false;
};

extern AppState app;
extern InputState input;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the key of a stored code is down. Codes come from the settings
// file, so any int is possible; one outside the table matches no key.
bool isKeyDown(int code);
