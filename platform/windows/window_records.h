// What the Windows files of the platform share about the game's windows:
// the game's own window procedure of each, which the system's procedure
// hands the window's messages to through the message queue.
#pragma once

#include "platform/win32.h"

#include <vector>

struct WindowEntry {
    HWND handle = nullptr;
    WNDPROC procedure = nullptr;
};

struct WindowRecords {
    std::vector<WindowEntry> windows;
    // The procedure of the window CreateWindowExA is making: the system
    // sends it messages before it returns the window's handle.
    WNDPROC procedureBeingCreated = nullptr;
    HWND focus = nullptr;
};

extern WindowRecords windowRecords;

WindowEntry* findWindowEntry(HWND window);

// A message box's own loop runs: what the system sends the game's windows
// meanwhile goes on to the game's window procedure at once.
void messageBoxOpened();
void messageBoxClosed();
