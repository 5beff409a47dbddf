// The platform's side of the test hooks: what the services ask before and
// after doing their work. Game code never includes this header.
#pragma once

#include "platform/test_hooks.h"

#include <ctime>

namespace hookState {

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

}  // namespace hookState
