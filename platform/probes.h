// The points where a test can watch or steer the platform's services: what
// each service asks before and after doing its work. The test-hooks
// library answers them in tests and benchmarks; in the shipped game
// no_test_hooks.cpp does, with nothing kept and nothing changed. Game code
// never includes this header.
#pragma once

#include "platform/win32.h"

#include <ctime>
#include <string>

enum class PlatformCall {
    RegisterClass,
    ChangeDisplaySettings,
    CreateWindow,
    GetDC,
    ChoosePixelFormat,
    SetPixelFormat,
    CreateContext,
    MakeCurrent,     // wglMakeCurrent with a context
    ReleaseCurrent,  // wglMakeCurrent with no context
    DeleteContext,
    ReleaseDC,
    DestroyWindow,
    UnregisterClass,
    Count
};

struct MessageBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

namespace probes {

// Logs `win32Name` and tells whether this call is to fail.
bool callFails(PlatformCall call, const char* win32Name);
// Logs a call that tests cannot make fail.
void logCall(const char* win32Name);

void recordSound(const char* fileName);
void recordMessageBox(const MessageBoxRecord& box);
bool messageBoxesAnswered();
int answerMessageBox(const MessageBoxRecord& box);

bool clockFixed(std::time_t* now);
bool framePacing();
void afterSwap();

}  // namespace probes
