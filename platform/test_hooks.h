// What tests may ask of the platform: make a call fail, answer message
// boxes, fix the clock, turn off frame pacing, and see what the game asked
// for. Defined by the test-hooks library, which only tests, benchmarks and
// the fuzz target link: the game itself never includes this header.
#pragma once

#include "platform/probes.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

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

// Tells the platform the game window was minimised, as the window system
// would (there is no window manager to do it under a bare X server). What
// went wrong, or "" once it is on its way.
std::string pushMinimise();

}  // namespace testHooks
