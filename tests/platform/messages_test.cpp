// The message queue and the window messages the system's events become:
// keys, mouse, sizing, minimising, focus and closing, as the game's window
// procedure expects them.
#include "platform/platform_state.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr UINT testMessage = 0x0400;

class Messages : public RecordingWindowTest {
  protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RecordingWindowTest::SetUp());
        sdlWindow = findWindow(window)->sdlWindow;
    }

    std::vector<ReceivedMessage> receivedOf(std::initializer_list<UINT> kinds) const
    {
        std::vector<ReceivedMessage> result;
        for (const auto& entry : recording.received) {
            for (UINT kind : kinds) {
                if (entry.message == kind)
                    result.push_back(entry);
            }
        }
        return result;
    }

    void pushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0)
    {
        pushKeyFor(SDL_GetWindowID(sdlWindow), type, key, modifiers, repeat);
    }

    static void pushKeyFor(Uint32 windowId, Uint32 type, SDL_Keycode key,
                           Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0)
    {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = windowId;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        event.key.keysym.mod = modifiers;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushWindowEvent(SDL_WindowEventID kind)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(sdlWindow);
        event.window.event = static_cast<Uint8>(kind);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void pushButton(Uint32 type, Uint8 button, int x, int y)
    {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = SDL_GetWindowID(sdlWindow);
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    static void pushControllerButton(Uint32 type, SDL_GameControllerButton button)
    {
        SDL_Event event{};
        event.type = type;
        event.cbutton.which = 7;
        event.cbutton.button = static_cast<Uint8>(button);
        event.cbutton.state = type == SDL_CONTROLLERBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    // The key and button messages the procedure was given, in order, as
    // (message, code) pairs; the record is emptied.
    static std::vector<std::pair<UINT, WPARAM>> takePresses()
    {
        std::vector<std::pair<UINT, WPARAM>> presses;
        for (const auto& entry : recording.received) {
            if (entry.message != WM_ACTIVATE && entry.message != WM_SIZE)
                presses.emplace_back(entry.message, entry.wParam);
        }
        recording.received.clear();
        return presses;
    }

    SDL_Window* sdlWindow = nullptr;
};

using Presses = std::vector<std::pair<UINT, WPARAM>>;

}  // namespace

TEST_F(Messages, AnEmptyQueueGivesNothing)
{
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, PostedMessagesComeOutInOrderWithTheQuitAmongThem)
{
    ASSERT_TRUE(PostMessageA(window, testMessage, 1, 10));
    PostQuitMessage(7);
    ASSERT_TRUE(PostMessageA(window, testMessage, 2, 20));
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, testMessage);
    EXPECT_EQ(message.wParam, 1u);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(message.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, testMessage);
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_EQ(message.lParam, 20);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, PeekingWithoutRemovingLeavesTheMessage)
{
    PostQuitMessage(0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, 0));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, DispatchReachesTheProcedureOfTheWindowsClass)
{
    ASSERT_TRUE(PostMessageA(window, testMessage, 42, MAKELPARAM(3, 4)));
    drainMessages();
    ASSERT_EQ(recording.received.size(), 1u);
    EXPECT_EQ(recording.received[0].window, window);
    EXPECT_EQ(recording.received[0].message, testMessage);
    EXPECT_EQ(recording.received[0].wParam, 42u);
    EXPECT_EQ(recording.received[0].lParam, MAKELPARAM(3, 4));
}

TEST_F(Messages, TheQuitMessageIsNeverDispatched)
{
    PostQuitMessage(0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&message), 0);
    EXPECT_TRUE(recording.received.empty());
}

TEST_F(Messages, TranslateDoesNothingAndTheDefaultProcedureReturnsNought)
{
    MSG message{window, WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(TranslateMessage(&message));
    EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));  // nothing was made
}

TEST_F(Messages, PostingToAWindowThatIsGoneFails)
{
    HWND gone = window;
    ASSERT_TRUE(PostMessageA(window, testMessage, 0, 0));
    DestroyWindow(window);
    window = nullptr;
    EXPECT_FALSE(PostMessageA(gone, testMessage, 0, 0));
    MSG message{};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));  // its messages went with it
}

TEST_F(Messages, KeysGoDownAndUpWithTheirVirtualKeyCodes)
{
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushKey(SDL_KEYUP, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    pushKey(SDL_KEYDOWN, SDLK_t);
    pushKey(SDL_KEYUP, SDLK_t);
    drainMessages();
    const auto keys = receivedOf({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, WPARAM{VK_UP});
    EXPECT_EQ(keys[0].window, window);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, WPARAM{VK_UP});
    EXPECT_EQ(keys[2].message, WM_KEYDOWN);
    EXPECT_EQ(keys[2].wParam, WPARAM{VK_RETURN});
    EXPECT_EQ(keys[3].message, WM_KEYDOWN);
    EXPECT_EQ(keys[3].wParam, 84u);
    EXPECT_EQ(keys[4].message, WM_KEYUP);
    EXPECT_EQ(keys[4].wParam, 84u);
}

TEST_F(Messages, AutoRepeatSendsTheKeyDownAgain)
{
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    pushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE, 1);
    pushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE, 1);
    pushKey(SDL_KEYUP, SDLK_RETURN);
    drainMessages();
    const auto keys = receivedOf({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(keys[i].message, WM_KEYDOWN);
        EXPECT_EQ(keys[i].wParam, WPARAM{VK_RETURN});
    }
    EXPECT_EQ(keys[3].message, WM_KEYUP);
}

TEST_F(Messages, KeysWithNoCodeAreDropped)
{
    pushKey(SDL_KEYDOWN, SDLK_MUTE);
    pushKey(SDL_KEYUP, SDLK_MUTE);
    pushKey(SDL_KEYDOWN, SDLK_AUDIOPLAY);
    drainMessages();
    EXPECT_TRUE(receivedOf({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}).empty());
}

TEST_F(Messages, AltCombinationsAndF10AreSystemKeysNotKeyMessages)
{
    pushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDLK_F4, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_F4, KMOD_LALT);
    pushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_RALT);
    pushKey(SDL_KEYUP, SDLK_RETURN, KMOD_RALT);
    pushKey(SDL_KEYUP, SDLK_LALT);
    pushKey(SDL_KEYDOWN, SDLK_F10);
    pushKey(SDL_KEYUP, SDLK_F10);
    drainMessages();
    EXPECT_TRUE(receivedOf({WM_KEYDOWN, WM_KEYUP}).empty());
    const auto system = receivedOf({WM_SYSKEYDOWN, WM_SYSKEYUP});
    ASSERT_EQ(system.size(), 8u);
    EXPECT_EQ(system[0].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(system[1].wParam, 115u);
    EXPECT_EQ(system[6].message, WM_SYSKEYDOWN);
    EXPECT_EQ(system[6].wParam, WPARAM{VK_F10});
}

TEST_F(Messages, AKeyPressedBeforeAltIsReleasedAsAKey)
{
    // Otherwise the game would hold Left down for ever.
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    pushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_LEFT, KMOD_LALT);
    drainMessages();
    const auto keys = receivedOf({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, WPARAM{VK_LEFT});
}

TEST_F(Messages, AKeyStillRepeatingUnderAltIsReleasedAsAKey)
{
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_RALT, KMOD_RALT);
    pushKey(SDL_KEYDOWN, SDLK_UP, KMOD_RALT, 1);
    pushKey(SDL_KEYUP, SDLK_UP, KMOD_RALT);
    pushKey(SDL_KEYUP, SDLK_RALT);
    pushKey(SDL_KEYDOWN, SDLK_a, KMOD_LALT);
    pushKey(SDL_KEYUP, SDLK_a, KMOD_LALT);
    drainMessages();
    const auto keys = receivedOf({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, WPARAM{VK_UP});
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, WPARAM{VK_UP});
    EXPECT_EQ(receivedOf({WM_SYSKEYDOWN, WM_SYSKEYUP}).size(), 5u);
}

TEST_F(Messages, KeyboardEventsForNoWindowGoToTheFocus)
{
    SetFocus(window);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = 0;
    event.key.keysym.sym = SDLK_SPACE;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    drainMessages();
    const auto keys = receivedOf({WM_KEYDOWN});
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, WPARAM{VK_SPACE});
}

// Pressed and let go between two frames, a key, a mouse button or a
// controller button is still down for one frame; input behind a release
// that waits, waits with it.
TEST_F(Messages, AQuickTapIsSeenDownByAFrameBeforeItGoesUp)
{
    pushKey(SDL_KEYDOWN, SDLK_UP);
    drainMessages();  // held over frames
    recording.received.clear();

    pushKey(SDL_KEYUP, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    pushKey(SDL_KEYUP, SDLK_RETURN);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 20);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 20);
    pushControllerButton(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLER_BUTTON_X);
    pushControllerButton(SDL_CONTROLLERBUTTONUP, SDL_CONTROLLER_BUTTON_X);

    // A key's release is seen by a frame before the next key goes down, as
    // name entry, which takes a letter on its release, needs.
    const Presses frames[] = {
        {{WM_KEYUP, VK_UP}},
        {{WM_KEYDOWN, VK_RETURN}},
        {{WM_KEYUP, VK_RETURN}},
        {{WM_LBUTTONDOWN, 0}},
        {{WM_LBUTTONUP, 0}, {WM_RBUTTONDOWN, 0}},
        {{WM_RBUTTONUP, 0}, {WM_KEYDOWN, VK_SPACE}},
        {{WM_KEYUP, VK_SPACE}},
    };
    for (const Presses& expected : frames) {
        dispatchWaiting();
        EXPECT_EQ(takePresses(), expected);
        endFrame();
    }
    EXPECT_TRUE(drainMessages().empty());
}

TEST_F(Messages, AKeyHeldWhileItsWindowGoesIsLetGoInTheNextWindow)
{
    pushKey(SDL_KEYDOWN, SDLK_DOWN);
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    pushKey(SDL_KEYUP, SDLK_RETURN);
    dispatchWaiting();  // Return's release waits for the frame
    const Uint32 gone = SDL_GetWindowID(sdlWindow);
    DestroyWindow(window);
    // SDL lets go of every key of a window it destroys, naming that window;
    // a key the game never had down is none of its business.
    pushKeyFor(gone, SDL_KEYUP, SDLK_DOWN);
    pushKeyFor(gone, SDL_KEYUP, SDLK_a);
    window = openRecordingWindow();
    ASSERT_NE(window, nullptr);
    recording.received.clear();
    drainMessages();
    EXPECT_EQ(takePresses(), (Presses{{WM_KEYUP, VK_RETURN}, {WM_KEYUP, VK_DOWN}}));
    for (const auto& entry : drainMessages())
        EXPECT_EQ(entry.hwnd, window);
}

TEST_F(Messages, GainingTheFocusLetsGoOfKeysTheKeyboardNoLongerHolds)
{
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    pushKey(SDL_KEYDOWN, SDLK_RSHIFT);
    drainMessages();
    recording.received.clear();
    // Left was let go while the game was not listening; Shift is still
    // held, as SDL's own record of the keyboard says.
    auto* keyboard = const_cast<Uint8*>(SDL_GetKeyboardState(nullptr));
    keyboard[SDL_SCANCODE_LSHIFT] = 1;
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    drainMessages();
    keyboard[SDL_SCANCODE_LSHIFT] = 0;
    EXPECT_EQ(takePresses(), (Presses{{WM_KEYUP, VK_LEFT}}));
}

TEST_F(Messages, MouseMovesCarryTheClientPosition)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(sdlWindow);
    event.motion.x = 123;
    event.motion.y = 45;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    event.motion.x = -2;  // dragged out past the left edge
    event.motion.y = 7;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    drainMessages();
    const auto moves = receivedOf({WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(123, 45));
    EXPECT_EQ(LOWORD(moves[0].lParam), 123);
    EXPECT_EQ(HIWORD(moves[0].lParam), 45);
    EXPECT_EQ(LOWORD(moves[1].lParam), 0xFFFE);
    EXPECT_EQ(HIWORD(moves[1].lParam), 7);
}

TEST_F(Messages, MouseButtonsGoDownAndUpWithThePosition)
{
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 40);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 31, 41);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1);
    drainMessages();
    const auto buttons = receivedOf({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(buttons[0].lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(buttons[1].message, WM_LBUTTONUP);
    EXPECT_EQ(buttons[1].lParam, MAKELPARAM(11, 21));
    EXPECT_EQ(buttons[2].message, WM_RBUTTONDOWN);
    EXPECT_EQ(buttons[2].lParam, MAKELPARAM(30, 40));
    EXPECT_EQ(buttons[3].message, WM_RBUTTONUP);
    EXPECT_EQ(buttons[3].lParam, MAKELPARAM(31, 41));
}

TEST_F(Messages, AResizedWindowSendsItsNewClientSize)
{
    SDL_SetWindowSize(sdlWindow, 400, 300);
    std::vector<ReceivedMessage> sizes;
    // The X server answers in its own time: keep pumping until it has.
    for (int i = 0; i < 500 && sizes.empty(); ++i) {
        drainMessages();
        sizes = receivedOf({WM_SIZE});
        if (sizes.empty())
            SDL_Delay(10);
    }
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].window, window);
    EXPECT_EQ(LOWORD(sizes[0].lParam), 400);
    EXPECT_EQ(HIWORD(sizes[0].lParam), 300);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(Messages, MinimisingAndRestoringSayWhetherTheWindowIsMinimised)
{
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    drainMessages();
    const auto activations = receivedOf({WM_ACTIVATE});
    ASSERT_EQ(activations.size(), 2u);  // losing the focus while minimised says nothing new
    EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
    EXPECT_NE(HIWORD(activations[0].wParam), 0);
    EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
    EXPECT_EQ(HIWORD(activations[1].wParam), 0);
}

TEST_F(Messages, AWindowComingBackMaximisedIsActiveAgain)
{
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_MAXIMIZED);
    drainMessages();
    const auto activations = receivedOf({WM_ACTIVATE});
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0].wParam, MAKEWPARAM(WA_INACTIVE, 1));
    EXPECT_EQ(activations[1].wParam, MAKEWPARAM(WA_ACTIVE, 0));
}

TEST_F(Messages, FocusComingAndGoingLeavesTheWindowNotMinimised)
{
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    drainMessages();
    const auto activations = receivedOf({WM_ACTIVATE});
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0].wParam, MAKEWPARAM(WA_ACTIVE, 0));
    EXPECT_EQ(activations[1].wParam, MAKEWPARAM(WA_INACTIVE, 0));
}

TEST_F(Messages, FocusArrivingLateDoesNotBringAMinimisedWindowBack)
{
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    drainMessages();
    const auto activations = receivedOf({WM_ACTIVATE});
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[1].wParam, MAKEWPARAM(WA_ACTIVE, 1)) << "still minimised";
}

TEST_F(Messages, ShowingTheWindowActivatesIt)
{
    pushWindowEvent(SDL_WINDOWEVENT_SHOWN);
    drainMessages();
    const auto activations = receivedOf({WM_ACTIVATE});
    ASSERT_EQ(activations.size(), 1u);
    EXPECT_EQ(activations[0].wParam, MAKEWPARAM(WA_ACTIVE, 0));
}

TEST_F(Messages, ClosingTheWindowSendsCloseAndTheQuitEventNothing)
{
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    const auto retrieved = drainMessages();
    ASSERT_EQ(retrieved.size(), 1u);
    EXPECT_EQ(retrieved[0].message, WM_CLOSE);
    EXPECT_EQ(retrieved[0].hwnd, window);
    ASSERT_EQ(recording.received.size(), 1u);
    EXPECT_EQ(recording.received[0].message, WM_CLOSE);
}

TEST_F(Messages, EventsOfOtherWindowsAreNotTheGamesBusiness)
{
    SDL_Window* other = SDL_CreateWindow("other", 0, 0, 50, 50, SDL_WINDOW_HIDDEN);
    ASSERT_NE(other, nullptr);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(other);
    event.key.keysym.sym = SDLK_a;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    drainMessages();
    EXPECT_TRUE(receivedOf({WM_KEYDOWN}).empty());
    SDL_DestroyWindow(other);
}

TEST_F(Messages, WaitMessageReturnsOnceAMessageIsWaiting)
{
    pushKey(SDL_KEYDOWN, SDLK_MUTE);  // makes no message: the wait goes on
    pushKey(SDL_KEYDOWN, SDLK_a);
    EXPECT_TRUE(WaitMessage());
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.wParam, 65u);
}

TEST_F(Messages, WaitMessageReturnsAtOnceWhenTheQueueHoldsOne)
{
    PostQuitMessage(0);
    EXPECT_TRUE(WaitMessage());
}
