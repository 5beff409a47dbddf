// Real Win32 calls for the Windows tests.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "tests/windows/system_calls.h"

void postSystemMessage(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    PostMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

std::intptr_t keyParameter(unsigned scanCode, bool down, bool altHeld)
{
    std::intptr_t parameter = 1 | static_cast<std::intptr_t>(scanCode & 0xFF) << 16;
    if ((scanCode & 0xFF00) == 0xE000)
        parameter |= std::intptr_t{1} << 24;
    if (altHeld)
        parameter |= std::intptr_t{1} << 29;
    if (!down)
        parameter |= std::intptr_t{3} << 30;
    return parameter;
}

bool markReadOnly(const std::string& path)
{
    return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
}

bool isSystemWindow(void* window) { return IsWindow(static_cast<HWND>(window)) != 0; }
