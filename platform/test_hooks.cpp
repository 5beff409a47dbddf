// The test hooks: what tests may ask of the platform, and the answers to
// what the services ask of it. Linked only into tests, benchmarks and the
// fuzz target; the shipped game has no_test_hooks.cpp instead.
#include "platform/test_hooks.h"

#include "platform/hook_targets.h"
#include "platform/probes.h"

#include <array>
#include <utility>

namespace {

struct HookRecord {
    std::array<int, static_cast<std::size_t>(PlatformCall::Count)> failuresLeft{};
    std::function<int(const MessageBoxRecord&)> answerer;
    std::vector<MessageBoxRecord> boxes;
    std::vector<std::string> sounds;
    std::vector<std::string> calls;
    bool clockFixed = false;
    std::time_t fixedNow = 0;
    bool framePacing = true;
    std::function<void()> swapCallback;
};

HookRecord hooks;

}  // namespace

namespace testHooks {

void reset()
{
    const bool pacingWasOff = !hooks.framePacing;
    hooks = HookRecord{};
    if (pacingWasOff)
        applySwapInterval();
}

void failCall(PlatformCall call, int times)
{
    const auto index = static_cast<std::size_t>(call);
    if (index < hooks.failuresLeft.size())
        hooks.failuresLeft[index] = times;
}

void answerMessageBoxes(std::function<int(const MessageBoxRecord&)> answerer)
{
    hooks.answerer = std::move(answerer);
}

const std::vector<MessageBoxRecord>& messageBoxes() { return hooks.boxes; }

const std::vector<std::string>& soundsRequested() { return hooks.sounds; }

const std::vector<std::string>& callLog() { return hooks.calls; }

void fixClock(std::time_t now)
{
    hooks.clockFixed = true;
    hooks.fixedNow = now;
}

void releaseClock() { hooks.clockFixed = false; }

void setFramePacing(bool on)
{
    hooks.framePacing = on;
    restartFramePacing();
    applySwapInterval();
}

void onSwap(std::function<void()> callback) { hooks.swapCallback = std::move(callback); }

int cursorCounter() { return cursorDisplayCount(); }

std::string pushMinimise() { return minimiseGameWindow(); }

}  // namespace testHooks

namespace probes {

bool callFails(PlatformCall call, const char* win32Name)
{
    logCall(win32Name);
    int& left = hooks.failuresLeft[static_cast<std::size_t>(call)];
    if (left == 0)
        return false;
    if (left > 0)
        --left;
    return true;
}

void logCall(const char* win32Name) { hooks.calls.emplace_back(win32Name); }

void recordSound(const char* fileName) { hooks.sounds.emplace_back(fileName); }

void recordMessageBox(const MessageBoxRecord& box) { hooks.boxes.push_back(box); }

bool messageBoxesAnswered() { return static_cast<bool>(hooks.answerer); }

int answerMessageBox(const MessageBoxRecord& box)
{
    // A copy: the answerer may replace itself while it runs.
    const auto answerer = hooks.answerer;
    return answerer(box);
}

bool clockFixed(std::time_t* now)
{
    if (hooks.clockFixed)
        *now = hooks.fixedNow;
    return hooks.clockFixed;
}

bool framePacing() { return hooks.framePacing; }

void afterSwap()
{
    if (hooks.swapCallback) {
        const auto callback = hooks.swapCallback;
        callback();
    }
}

}  // namespace probes
