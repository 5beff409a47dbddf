// What the Windows tests do to the system as a player or the desktop would:
// real messages posted to a window, and files marked read-only. Linked only
// into the Windows tests.
#pragma once

#include <cstdint>
#include <string>

void postSystemMessage(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
// A key's WM_KEYDOWN or WM_KEYUP lParam: its scan code (0xE0 before it for an
// extended key), with Alt held for a system key.
std::intptr_t keyParameter(unsigned scanCode, bool down, bool altHeld = false);
bool markReadOnly(const std::string& path);
bool isSystemWindow(void* window);
