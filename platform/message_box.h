// Modal message boxes. While a box is up the game waits, but the game
// window's messages keep reaching its window procedure.
#pragma once

#include "platform/win32.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
