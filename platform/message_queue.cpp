// The message queue: what the system's side puts in, and the order and
// moment the game's loop takes it out.
#include "platform/message_queue.h"

#include "platform/messages.h"

#include <algorithm>
#include <deque>

namespace {

// What a press or a release moves: a key by its code, or a mouse button.
constexpr int leftButton = 256;
constexpr int rightButton = 257;
constexpr int controlCount = 258;

struct QueueRecord {
    std::deque<MSG> messages;
    // Keys whose press went out as WM_KEYDOWN: their release goes out as
    // WM_KEYUP even when Alt is held by then or their window is gone, so no
    // key sticks in the game.
    std::array<bool, 256> keyDownSent{};
    // Controls whose press the game took since its last frame: their
    // release waits until a frame has seen them down.
    std::array<bool, controlCount> pressUnseen{};
    // A key went up since the last frame: name entry takes a letter on
    // its release, so the frame must see that release before the next key.
    bool keyReleaseUnseen = false;
    POINT lastMouse{};
    bool quitSignalDelivered = false;
};

QueueRecord queue;

bool matchesFilter(const MSG& message, HWND window, UINT filterMin, UINT filterMax)
{
    if (window != nullptr && message.hwnd != window && message.message != WM_QUIT)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

bool isKeyboardOrMouse(UINT message)
{
    return (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
           (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP);
}

bool isRelease(UINT message)
{
    return message == WM_KEYUP || message == WM_LBUTTONUP || message == WM_RBUTTONUP;
}

// The control a press or release message moves; -1 for any other message.
int controlOf(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP: return message.wParam < 256 ? static_cast<int>(message.wParam) : -1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return leftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return rightButton;
    default: return -1;
    }
}

// A release outlives its window: it goes to the window the keyboard
// reaches now, and waits while the game has none.
bool addressed(MSG& message)
{
    if (!isRelease(message.message) || isGameWindow(message.hwnd))
        return true;
    message.hwnd = keyboardWindow();
    return message.hwnd != nullptr;
}

// The first message that may go out now and that the caller wants. A
// release whose press no frame has seen yet waits for the next frame, and
// every key and mouse message behind it waits with it: a tap is never over
// before a frame has seen it, and the game hears its input in order. The
// same holds behind a key's release: a letter typed quickly after another
// would otherwise take the place of the first before a frame saw it.
template <typename Wanted>
std::deque<MSG>::iterator nextMessage(Wanted wanted)
{
    bool inputWaits = queue.keyReleaseUnseen;
    for (auto entry = queue.messages.begin(); entry != queue.messages.end(); ++entry) {
        if (isKeyboardOrMouse(entry->message)) {
            if (inputWaits)
                continue;
            const int control = controlOf(*entry);
            const bool unseen = control >= 0 && queue.pressUnseen[control];
            if (!addressed(*entry) || (isRelease(entry->message) && unseen)) {
                inputWaits = true;
                continue;
            }
        }
        if (wanted(*entry))
            return entry;
    }
    return queue.messages.end();
}

MSG takeMessage(std::deque<MSG>::iterator entry)
{
    const MSG message = *entry;
    queue.messages.erase(entry);
    const int control = controlOf(message);
    if (control >= 0 && !isRelease(message.message))
        queue.pressUnseen[control] = true;
    if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)
        queue.keyReleaseUnseen = true;
    return message;
}

}  // namespace

void queueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG entry{};
    entry.hwnd = window;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    entry.time = messageTime();
    entry.pt = queue.lastMouse;
    queue.messages.push_back(entry);
}

void queueKey(HWND window, int code, bool down, bool altHeld)
{
    if (code <= 0 || code > 255)
        return;
    // The system lets go of every key when their window is destroyed: a key
    // the game holds goes up in the window it has now (or in its next one).
    if (window == nullptr && (down || !queue.keyDownSent[code]))
        return;
    const bool isAlt = code == VK_MENU;
    bool systemKey = isAlt || altHeld || code == VK_F10;
    if (!down && queue.keyDownSent[code] && !isAlt && code != VK_F10)
        systemKey = false;
    if (down && !systemKey)
        queue.keyDownSent[code] = true;  // a repeat under Alt does not forget it
    else if (!down)
        queue.keyDownSent[code] = false;

    UINT message = 0;
    if (systemKey)
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else
        message = down ? WM_KEYDOWN : WM_KEYUP;
    queueMessage(window, message, static_cast<WPARAM>(code), 0);
}

void noteMouse(POINT where) { queue.lastMouse = where; }

void releaseKeysLetGo(HWND window, const std::array<bool, 256>& held)
{
    for (int code = 0; code < 256; ++code) {
        if (queue.keyDownSent[code] && !held[code]) {
            queue.keyDownSent[code] = false;
            queueMessage(window, WM_KEYUP, static_cast<WPARAM>(code), 0);
        }
    }
}

// The releases stay: the game still holds those keys and buttons down, and
// hears them let go in its next window.
void forgetMessagesFor(HWND window)
{
    std::erase_if(queue.messages, [window](const MSG& entry) {
        if (entry.hwnd != window || isRelease(entry.message))
            return false;
        // A close not yet handled goes to the next window instead.
        if (entry.message == WM_CLOSE)
            queue.quitSignalDelivered = false;
        return true;
    });
}

void frameEnded()
{
    queue.pressUnseen = {};
    queue.keyReleaseUnseen = false;
}

bool anyMessage()
{
    return nextMessage([](const MSG&) { return true; }) != queue.messages.end();
}

// A quit signal reaches the game as the window manager's close would: one
// WM_CLOSE to the game window, sent once there is a window to send it to.
void deliverQuitSignal()
{
    if (!quitSignalArrived() || queue.quitSignalDelivered)
        return;
    if (const HWND window = windowToClose()) {
        queueMessage(window, WM_CLOSE, 0, 0);
        queue.quitSignalDelivered = true;
    }
}

bool quitSignalDelivered() { return queue.quitSignalDelivered; }

void dispatchWaitingMessages()
{
    for (;;) {
        const auto next = nextMessage([](const MSG& entry) { return entry.message != WM_QUIT; });
        if (next == queue.messages.end())
            return;
        const MSG message = takeMessage(next);
        DispatchMessageA(&message);
    }
}

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    pumpSystemEvents();
    deliverQuitSignal();
    const auto entry = nextMessage([=](const MSG& candidate) {
        return matchesFilter(candidate, window, filterMin, filterMax);
    });
    if (entry == queue.messages.end())
        return FALSE;
    const MSG found = (removeFlags & PM_REMOVE) != 0 ? takeMessage(entry) : *entry;
    if (message != nullptr)
        *message = found;
    return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->message == WM_QUIT)
        return 0;
    return sendWindowMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

// What the system must answer at once it has answered already; a queued
// message the game leaves alone needs nothing more.
LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && !isGameWindow(window))
        return FALSE;
    queueMessage(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    queueMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}
