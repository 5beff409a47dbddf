// The one game window with its OpenGL rendering context, the projection for
// its size and the fixed rendering state every screen assumes.
#pragma once

#include "platform/win32.h"

struct GameWindow {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
};

extern GameWindow gameWindow;

// The window class every game window belongs to.
extern const char* const windowClassName;

// False after the failure was shown in a message box; for every failure
// after the class was registered, except a refused full-screen mode,
// closeGameWindow has already run.
bool createGameWindow(const char* title, int width, int height, int colourBits,
                      bool fullscreenRequest);
void resizeScene(int width, int height);
bool initScene();
// Deletes what initScene and the frames made in the current context (the
// textures, the font and the wire shapes): the platform keeps the context
// itself for the next window, so they would outlive the window otherwise.
void releaseScene();
