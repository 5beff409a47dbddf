// Start-up, the message and render loop, and the matching teardown.
#pragma once

#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

// Saves both data files, restores the desktop mode, releases the rendering
// context, device context, window and class, and forgets the font and shape
// lists that ended with the context.
void closeGameWindow();
