// Start-up, the message and render loop, and the matching teardown.
#pragma once

#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

// Saves both data files, restores the desktop mode, releases the rendering
// context, device context, window and class, and forgets the font and shape
// lists that ended with the context.
void closeGameWindow();

// The window the Graphics menu asked for: the old one closed (which saves
// both files), the desktop mode restored, and a new one at the size and
// mode the settings now hold. Without a window nothing more can be drawn:
// when it cannot be built the game ends, failed, as at start-up or F1; the
// failure was already shown and the files already written.
void rebuildGameWindow();
