// A game controller played as the keyboard: buttons, pad and left stick
// arrive as the keys the game knows, held and let go as a keyboard would,
// whichever controller or window is involved.
#include "platform/platform_state.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace {

// What a key message says, for comparing whole sequences at once.
struct Key {
    UINT message;
    WPARAM code;
    bool operator==(const Key&) const = default;
};

void PrintTo(const Key& key, std::ostream* out)
{
    *out << (key.message == WM_KEYDOWN ? "down "
             : key.message == WM_KEYUP ? "up "
                                       : "other ")
         << key.code;
}

Key down(int code) { return {WM_KEYDOWN, static_cast<WPARAM>(code)}; }
Key up(int code) { return {WM_KEYUP, static_cast<WPARAM>(code)}; }

constexpr SDL_JoystickID firstPad = 7;
constexpr SDL_JoystickID secondPad = 8;

class Gamepad : public RecordingWindowTest {
  protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RecordingWindowTest::SetUp());
        SetFocus(window);
        drainMessages();
        recording.received.clear();
    }

    void TearDown() override
    {
        // Whatever a case left held goes up with its controller.
        pushRemoved(firstPad);
        pushRemoved(secondPad);
        drainMessages();
        if (otherWindow != nullptr)
            DestroyWindow(otherWindow);
        RecordingWindowTest::TearDown();
    }

    // The key messages the window procedure of `to` was given, in order.
    static std::vector<Key> keysReceived(HWND to)
    {
        drainMessages();
        std::vector<Key> keys;
        for (const auto& entry : recording.received) {
            if (entry.window != to)
                continue;
            if (entry.message == WM_KEYDOWN || entry.message == WM_KEYUP ||
                entry.message == WM_SYSKEYDOWN || entry.message == WM_SYSKEYUP)
                keys.push_back({entry.message, entry.wParam});
        }
        return keys;
    }

    std::vector<Key> keysReceived() const { return keysReceived(window); }

    static void pushButton(SDL_GameControllerButton button, bool pressed,
                           SDL_JoystickID pad = firstPad)
    {
        SDL_Event event{};
        event.type = pressed ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        event.cbutton.which = pad;
        event.cbutton.button = static_cast<Uint8>(button);
        event.cbutton.state = pressed ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    static void tap(SDL_GameControllerButton button)
    {
        pushButton(button, true);
        pushButton(button, false);
    }

    static void pushAxis(SDL_GameControllerAxis axis, int value, SDL_JoystickID pad = firstPad)
    {
        SDL_Event event{};
        event.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.which = pad;
        event.caxis.axis = static_cast<Uint8>(axis);
        event.caxis.value = static_cast<Sint16>(value);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    static void pushRemoved(SDL_JoystickID pad)
    {
        SDL_Event event{};
        event.type = SDL_CONTROLLERDEVICEREMOVED;
        event.cdevice.which = pad;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    HWND otherWindow = nullptr;
};

}  // namespace

TEST_F(Gamepad, FaceButtonsAreEnterEscapeAndSpace)
{
    tap(SDL_CONTROLLER_BUTTON_A);
    tap(SDL_CONTROLLER_BUTTON_B);
    tap(SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(keysReceived(),
              (std::vector<Key>{down(13), up(13), down(27), up(27), down(32), up(32)}));
}

TEST_F(Gamepad, StartIsEnterAndBackIsEscape)
{
    tap(SDL_CONTROLLER_BUTTON_START);
    tap(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(keysReceived(),
              (std::vector<Key>{down(VK_RETURN), up(VK_RETURN), down(VK_ESCAPE), up(VK_ESCAPE)}));
}

TEST_F(Gamepad, TheDpadIsTheArrowKeys)
{
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(38), up(38), down(40), up(40), down(37),
                                                up(37), down(39), up(39)}));
}

TEST_F(Gamepad, AHeldButtonStaysDownUntilReleased)
{
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pushButton(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_LEFT), down(VK_RETURN)}));
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pushButton(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_LEFT), up(VK_RETURN)}));
}

TEST_F(Gamepad, KeyMessagesCarryNoExtraParameterAsTheKeyboardsDoNot)
{
    tap(SDL_CONTROLLER_BUTTON_A);
    drainMessages();
    ASSERT_EQ(recording.received.size(), 2u);
    for (const auto& entry : recording.received) {
        EXPECT_EQ(entry.window, window);
        EXPECT_EQ(entry.lParam, 0);
    }
}

TEST_F(Gamepad, UnmappedButtonsAreIgnored)
{
    for (auto button :
         {SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_LEFTSTICK,
          SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
          SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_MISC1,
          SDL_CONTROLLER_BUTTON_PADDLE1, SDL_CONTROLLER_BUTTON_TOUCHPAD})
        tap(button);
    // A button number no controller has.
    SDL_Event event{};
    event.type = SDL_CONTROLLERBUTTONDOWN;
    event.cbutton.which = firstPad;
    event.cbutton.button = 200;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    EXPECT_TRUE(keysReceived().empty());
    drainMessages();
    EXPECT_TRUE(recording.received.empty());
}

TEST_F(Gamepad, TriggersAndTheRightStickAreIgnored)
{
    pushAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    pushAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    pushAxis(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    pushAxis(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
    pushAxis(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    EXPECT_TRUE(keysReceived().empty());
}

TEST_F(Gamepad, TheLeftStickIsTheArrowKeysInAllFourDirections)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    // SDL's vertical axis grows downwards.
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keysReceived(),
              (std::vector<Key>{down(VK_LEFT), up(VK_LEFT), down(VK_RIGHT), up(VK_RIGHT),
                                down(VK_UP), up(VK_UP), down(VK_DOWN), up(VK_DOWN)}));
}

TEST_F(Gamepad, TheStickPressesFromHalfItsTravel)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 16383);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -16383);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 16383);
    EXPECT_TRUE(keysReceived().empty());
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 16384);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_RIGHT)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -16384);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_UP)}));
}

TEST_F(Gamepad, TheStickLetsGoOnlyBelowThirtyPercent)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 16000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 9830);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_RIGHT)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 9829);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_RIGHT)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -9830);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_UP)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -9829);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_UP)}));
}

TEST_F(Gamepad, AStickWobblingAroundTheThresholdDoesNotChatter)
{
    for (int value : {15000, 17000, 12000, 18000, 10000, 16500, 14000, 17500})
        pushAxis(SDL_CONTROLLER_AXIS_LEFTX, value);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_RIGHT)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 5000);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_RIGHT)}));
    recording.received.clear();
    // Once let go, a wobble short of half its travel presses nothing.
    for (int value : {16000, 9000, 16383, 12000, 0})
        pushAxis(SDL_CONTROLLER_AXIS_LEFTX, value);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{}));
}

TEST_F(Gamepad, FlickingTheStickAcrossLetsGoOfOneSideAndPressesTheOther)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -5000);
    EXPECT_EQ(keysReceived(),
              (std::vector<Key>{down(VK_RIGHT), up(VK_RIGHT), down(VK_LEFT), up(VK_LEFT)}));
}

TEST_F(Gamepad, TheStickHeldDiagonallyHoldsTwoArrows)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -25000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 25000);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keysReceived(),
              (std::vector<Key>{down(VK_LEFT), down(VK_DOWN), up(VK_LEFT), up(VK_DOWN)}));
}

TEST_F(Gamepad, TheDpadLettingGoDoesNotReleaseTheStickStillHeld)
{
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_LEFT), down(VK_LEFT)}));
    recording.received.clear();
    pushAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_LEFT)}));
}

TEST_F(Gamepad, TheStickLettingGoDoesNotReleaseTheDpadStillHeld)
{
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_DOWN), down(VK_DOWN)}));
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_DOWN)}));
}

TEST_F(Gamepad, AAndStartTogetherAreOneEnterKey)
{
    pushButton(SDL_CONTROLLER_BUTTON_A, true);
    pushButton(SDL_CONTROLLER_BUTTON_START, true);
    pushButton(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_RETURN), down(VK_RETURN)}));
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_RETURN)}));
}

TEST_F(Gamepad, TwoControllersHoldingOneKeyReleaseItWhenBothLetGo)
{
    pushButton(SDL_CONTROLLER_BUTTON_B, true, firstPad);
    pushButton(SDL_CONTROLLER_BUTTON_BACK, true, secondPad);
    pushButton(SDL_CONTROLLER_BUTTON_B, false, firstPad);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_ESCAPE), down(VK_ESCAPE)}));
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_BACK, false, secondPad);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_ESCAPE)}));
}

TEST_F(Gamepad, ARepeatedReportIsNotASecondPressNorAStrayReleaseAKeyUp)
{
    pushButton(SDL_CONTROLLER_BUTTON_X, false);  // never pressed
    pushButton(SDL_CONTROLLER_BUTTON_X, true);
    pushButton(SDL_CONTROLLER_BUTTON_X, true);
    pushButton(SDL_CONTROLLER_BUTTON_X, false);
    pushButton(SDL_CONTROLLER_BUTTON_X, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_SPACE), up(VK_SPACE)}));
    // Counting stayed right: the next press and release still work.
    recording.received.clear();
    tap(SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_SPACE), up(VK_SPACE)}));
}

TEST_F(Gamepad, AnUnpluggedControllerLetsGoOfEverythingItHeld)
{
    pushButton(SDL_CONTROLLER_BUTTON_A, true);
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pushAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pushButton(SDL_CONTROLLER_BUTTON_B, true, secondPad);
    EXPECT_EQ(keysReceived().size(), 4u);
    recording.received.clear();
    pushRemoved(firstPad);
    const auto keys = keysReceived();
    EXPECT_EQ(keys.size(), 3u);
    for (Key expected : {up(VK_RETURN), up(VK_RIGHT), up(VK_UP)})
        EXPECT_NE(std::find(keys.begin(), keys.end(), expected), keys.end());
    // The other controller still holds its key.
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_B, false, secondPad);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_ESCAPE)}));
}

TEST_F(Gamepad, AControllerPluggedBackInStartsAfresh)
{
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pushRemoved(firstPad);
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_UP, false);  // from before the unplug: nothing held
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_UP), up(VK_UP)}));
    recording.received.clear();
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_UP), up(VK_UP)}));
}

TEST_F(Gamepad, KeysGoToTheWindowWithTheFocus)
{
    otherWindow = openRecordingWindow();
    ASSERT_NE(otherWindow, nullptr);
    drainMessages();
    recording.received.clear();
    SetFocus(window);
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(keysReceived(window), (std::vector<Key>{down(VK_RETURN), up(VK_RETURN)}));
    EXPECT_TRUE(keysReceived(otherWindow).empty());
}

TEST_F(Gamepad, WithNoFocusTheNewestWindowStillHearsTheKeys)
{
    // A release arriving after the player switched away must not leave
    // the key held in the game.
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    drainMessages();
    SetFocus(nullptr);
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_LEFT), up(VK_LEFT)}));
}

TEST_F(Gamepad, AKeyHeldAcrossAWindowRebuildIsReleasedInTheNewWindow)
{
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    drainMessages();
    DestroyWindow(window);
    window = openRecordingWindow();
    ASSERT_NE(window, nullptr);
    drainMessages();
    recording.received.clear();
    pushButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_RIGHT)}));
}

TEST_F(Gamepad, KeysWithNoWindowAreDroppedButStillCounted)
{
    pushButton(SDL_CONTROLLER_BUTTON_X, true);
    DestroyWindow(window);
    window = nullptr;
    drainMessages();
    pushButton(SDL_CONTROLLER_BUTTON_X, false);
    drainMessages();
    window = openRecordingWindow();
    ASSERT_NE(window, nullptr);
    drainMessages();
    recording.received.clear();
    tap(SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_SPACE), up(VK_SPACE)}));
}

// A virtual controller plugged in and out, as SDL reports a real one.
class PluggedGamepad : public Gamepad {
  protected:
    void SetUp() override
    {
        Gamepad::SetUp();
        // Hidden test windows never have the keyboard focus, without which
        // SDL holds controller input back.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "controllers were not started";
    }

    void TearDown() override
    {
        if (deviceIndex >= 0)
            SDL_JoystickDetachVirtual(deviceIndex);
        Gamepad::TearDown();
    }

    void plugIn()
    {
        SDL_VirtualJoystickDesc description{};
        description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        description.naxes = SDL_CONTROLLER_AXIS_MAX;
        description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        description.name = "Trigonix test pad";
        deviceIndex = SDL_JoystickAttachVirtualEx(&description);
        ASSERT_GE(deviceIndex, 0) << SDL_GetError();
        instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
        ASSERT_TRUE(SDL_IsGameController(deviceIndex));
        drainMessages();
    }

    void unplug()
    {
        ASSERT_EQ(SDL_JoystickDetachVirtual(deviceIndex), 0);
        deviceIndex = -1;
        drainMessages();
    }

    // The virtual device's state is read when SDL next pumps its events.
    SDL_Joystick* joystick() const
    {
        SDL_GameController* controller = SDL_GameControllerFromInstanceID(instance);
        return controller != nullptr ? SDL_GameControllerGetJoystick(controller) : nullptr;
    }

    int deviceIndex = -1;
    SDL_JoystickID instance = -1;
};

TEST_F(PluggedGamepad, APluggedInControllerIsOpenedAndItsButtonsArrive)
{
    plugIn();
    ASSERT_NE(SDL_GameControllerFromInstanceID(instance), nullptr);
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick(), SDL_CONTROLLER_BUTTON_A, SDL_PRESSED), 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_RETURN)}));
    recording.received.clear();
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick(), SDL_CONTROLLER_BUTTON_A, SDL_RELEASED), 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_RETURN)}));
    recording.received.clear();
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(joystick(), SDL_CONTROLLER_AXIS_LEFTX, -32768), 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_LEFT)}));
}

TEST_F(PluggedGamepad, AnUnpluggedControllerIsClosedAndItsHeldKeysGoUp)
{
    plugIn();
    ASSERT_EQ(
        SDL_JoystickSetVirtualButton(joystick(), SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED), 0);
    EXPECT_EQ(keysReceived(), (std::vector<Key>{down(VK_DOWN)}));
    recording.received.clear();
    unplug();
    EXPECT_EQ(keysReceived(), (std::vector<Key>{up(VK_DOWN)}));
    EXPECT_EQ(SDL_GameControllerFromInstanceID(instance), nullptr);
}
