// What tests may ask of the platform, and what the services ask of it.
#include "platform/test_hooks.h"

#include "platform/platform_state.h"
#include "platform/test_hook_state.h"

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

// Records are kept only in a program that uses the hooks: the game itself
// never does, and a player's long session would otherwise pile up every
// call and sound, each a small block wedged between the window's big ones.
bool watched = false;

}  // namespace

namespace testHooks {

void reset()
{
    watched = true;
    const bool pacingWasOff = !hooks.framePacing;
    hooks = HookRecord{};
    if (pacingWasOff)
        applySwapInterval();
}

void failCall(PlatformCall call, int times)
{
    watched = true;
    const auto index = static_cast<std::size_t>(call);
    if (index < hooks.failuresLeft.size())
        hooks.failuresLeft[index] = times;
}

void answerMessageBoxes(std::function<int(const MessageBoxRecord&)> answerer)
{
    watched = true;
    hooks.answerer = std::move(answerer);
}

const std::vector<MessageBoxRecord>& messageBoxes()
{
    watched = true;
    return hooks.boxes;
}

const std::vector<std::string>& soundsRequested()
{
    watched = true;
    return hooks.sounds;
}

const std::vector<std::string>& callLog()
{
    watched = true;
    return hooks.calls;
}

void fixClock(std::time_t now)
{
    watched = true;
    hooks.clockFixed = true;
    hooks.fixedNow = now;
}

void releaseClock()
{
    watched = true;
    hooks.clockFixed = false;
}

void setFramePacing(bool on)
{
    watched = true;
    hooks.framePacing = on;
    restartFramePacing();
    applySwapInterval();
}

void onSwap(std::function<void()> callback)
{
    watched = true;
    hooks.swapCallback = std::move(callback);
}

}  // namespace testHooks

namespace hookState {

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

void logCall(const char* win32Name)
{
    if (watched)
        hooks.calls.emplace_back(win32Name);
}

void recordSound(const char* fileName)
{
    if (watched)
        hooks.sounds.emplace_back(fileName);
}

void recordMessageBox(const MessageBoxRecord& box)
{
    if (watched)
        hooks.boxes.push_back(box);
}

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

}  // namespace hookState
