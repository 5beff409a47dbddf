// The shipped game's answers to the services' probes: no call fails, boxes
// are shown to the player, the clock is the real one, frames are paced,
// and nothing is kept, so nothing grows however long a session runs. Tests
// link test_hooks.cpp in its place.
#include "platform/probes.h"

namespace probes {

bool callFails(PlatformCall, const char*) { return false; }
void logCall(const char*) {}

void recordSound(const char*) {}
void recordMessageBox(const MessageBoxRecord&) {}
bool messageBoxesAnswered() { return false; }
int answerMessageBox(const MessageBoxRecord&) { return 0; }

bool clockFixed(std::time_t*) { return false; }
bool framePacing() { return true; }
void afterSwap() {}

}  // namespace probes
