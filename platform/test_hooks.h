// What tests may ask of the platform: make a call fail, answer message
// boxes, fix the clock, turn off frame pacing, and see what the game asked
// for. The game itself never includes this header. The records below are
// kept from the first call of any of these on, so the game keeps none.
#pragma once

#include "platform/win32.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

enum class PlatformCall {
    RegisterClass,
    ChangeDisplaySettings,
    CreateWindow,
    GetDC,
    ChoosePixelFormat,
    SetPixelFormat,
    CreateContext,
    MakeCurrent,        // wglMakeCurrent with a context
    ReleaseCurrent,     // wglMakeCurrent with no context
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

namespace testHooks {

// Back to the real platform: no failures, real boxes, the real clock,
// pacing on, records emptied.
void reset();

// The next `times` calls of `call` fail as the platform would report it
// (times < 0: every call until reset).
void failCall(PlatformCall call, int times = 1);

// Once set, MessageBoxA shows nothing: it records the box, then returns what
// the answerer returns. The answerer may dispatch messages meanwhile, as a
// player pressing keys while the box is up would.
void answerMessageBoxes(std::function<int(const MessageBoxRecord&)> answerer);
const std::vector<MessageBoxRecord>& messageBoxes();

// Every file name PlaySoundA and sndPlaySoundA were asked for, in order.
const std::vector<std::string>& soundsRequested();

// Every platform call that creates, switches or releases something, by its
// Win32 name ("RegisterClassA", "wglMakeCurrent", ...), in order.
const std::vector<std::string>& callLog();

// platformTime() returns this until the clock is released.
void fixClock(std::time_t now);
void releaseClock();

// SwapBuffers waits for nothing while pacing is off (benchmarks, tests).
void setFramePacing(bool on);

// Called at the end of every SwapBuffers: a test can move input or post
// messages between frames of the real main loop.
void onSwap(std::function<void()> callback);

// The cursor display counter, read without changing it.
int cursorCounter();

}  // namespace testHooks
