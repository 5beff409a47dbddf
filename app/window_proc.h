// The window procedure: window messages become the polled input and the
// window's active flag.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
