// The message queue: SDL events arrive here as window messages and are
// handed to the window procedure of the window's class. A key or button let
// go before any frame saw it down is held back until one has (SwapBuffers
// ends a frame), so no press between two frames is lost.
#pragma once

#include "platform/win32.h"

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Sleeps until a message is waiting, without using the processor. A loop
// that waits draws no frame: what was held back for one goes out now. A
// quit signal (platform/quit_signals.h) ends the sleep with the WM_CLOSE it
// sends.
BOOL WaitMessage();
