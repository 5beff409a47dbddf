// Message boxes: answered by a test or by a player's keys and clicks, while
// the game window's messages keep reaching its procedure; without a display
// the box is printed and answered at once.
#include "platform/platform_state.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/recording_window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr UINT testMessage = 0x0400;

SDL_Window* windowTitled(const char* title)
{
    for (Uint32 id = 1; id < 256; ++id) {
        SDL_Window* window = SDL_GetWindowFromID(id);
        if (window != nullptr && std::strcmp(SDL_GetWindowTitle(window), title) == 0)
            return window;
    }
    return nullptr;
}

void pushKey(SDL_Window* window, Uint32 type, SDL_Keycode key)
{
    SDL_Event event{};
    event.type = type;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&event);
}

void pushClick(SDL_Window* window, int x, int y)
{
    SDL_Event event{};
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = x;
    event.button.y = y;
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    event.type = SDL_MOUSEBUTTONUP;
    event.button.state = SDL_RELEASED;
    SDL_PushEvent(&event);
}

class MessageBox : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(platformDisplayError(), nullptr);
        ASSERT_NE(registerRecordingClass(), 0);
        window = openRecordingWindow("Trigonix game", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(window, nullptr);
        gameWindow = findWindow(window)->sdlWindow;
        recording.received.clear();
    }

    void TearDown() override
    {
        recording.reaction = nullptr;
        wglMakeCurrent(nullptr, nullptr);
        if (context != nullptr)
            wglDeleteContext(context);
        DestroyWindow(window);
        unregisterRecordingClass();
        testHooks::reset();
    }

    int show(LPCSTR text, LPCSTR caption, UINT style)
    {
        boxOpenedAt = recording.received.size();
        const int answer = MessageBoxA(nullptr, text, caption, style);
        boxClosedAt = recording.received.size();
        return answer;
    }

    // Whether the procedure was given message `index` while a box was up.
    bool duringBox(size_t index) const { return index >= boxOpenedAt && index < boxClosedAt; }

    void makeContextCurrent()
    {
        HDC deviceContext = GetDC(window);
        const PIXELFORMATDESCRIPTOR descriptor = gameDescriptor();
        ASSERT_TRUE(SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &descriptor),
                                   &descriptor));
        context = wglCreateContext(deviceContext);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(wglMakeCurrent(deviceContext, context));
    }

    HWND window = nullptr;
    SDL_Window* gameWindow = nullptr;
    HGLRC context = nullptr;
    size_t boxOpenedAt = 0;
    size_t boxClosedAt = 0;
};

}  // namespace

TEST_F(MessageBox, AnAnsweredBoxIsRecordedAndGivesTheAnswer)
{
    std::vector<MessageBoxRecord> seen;
    testHooks::answerMessageBoxes([&seen](const MessageBoxRecord& box) {
        seen.push_back(box);
        return IDYES;
    });
    const int answer = MessageBoxA(window,
                                   "The Requested Fullscreen Mode Is Not Supported By\nYour "
                                   "Video Card. Use Windowed Mode Instead?",
                                   "Vorn GL", MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(answer, IDYES);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    const MessageBoxRecord& box = testHooks::messageBoxes()[0];
    EXPECT_EQ(box.owner, window);
    EXPECT_EQ(box.text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(box.caption, "Vorn GL");
    EXPECT_EQ(box.style, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(seen[0].text, box.text);
    EXPECT_EQ(windowTitled("Vorn GL"), nullptr);  // nothing was shown
}

TEST_F(MessageBox, AnsweredBoxesAreRecordedInOrderAndResetForgetsThem)
{
    testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
    MessageBoxA(nullptr, "Release Of DC And RC Failed.", "SHUTDOWN ERROR",
                MB_OK | MB_ICONINFORMATION);
    MessageBoxA(nullptr, "Could Not Release hWnd.", "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
    ASSERT_EQ(testHooks::messageBoxes().size(), 2u);
    EXPECT_EQ(testHooks::messageBoxes()[0].text, "Release Of DC And RC Failed.");
    EXPECT_EQ(testHooks::messageBoxes()[1].text, "Could Not Release hWnd.");
    EXPECT_EQ(testHooks::messageBoxes()[1].owner, nullptr);
    testHooks::reset();
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(MessageBox, AMessageDispatchedByTheAnswererReachesTheWindowProcedure)
{
    testHooks::answerMessageBoxes([this](const MessageBoxRecord&) {
        PostMessageA(window, WM_KEYDOWN, 'T', 0);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        EXPECT_EQ(recording.received.size(), 1u);
        return IDOK;
    });
    EXPECT_EQ(show("Tip", "Tip of the day!", MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(recording.received.size(), 1u);
    EXPECT_EQ(recording.received[0].message, WM_KEYDOWN);
    EXPECT_EQ(recording.received[0].wParam, 84u);
    EXPECT_TRUE(duringBox(0));
}

TEST_F(MessageBox, WhileABoxIsUpWaitingMessagesReachTheProcedureButQuitWaits)
{
    PostMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    PostQuitMessage(0);
    PostMessageA(window, WM_KEYUP, VK_LEFT, 0);
    testHooks::answerMessageBoxes([](const MessageBoxRecord&) {
        PostMessageA(nullptr, testMessage, 0, 0);  // for no window: nobody hears it
        return IDOK;
    });
    EXPECT_EQ(show("Tip", "Tip of the day!", MB_ICONINFORMATION), IDOK);
    // The release waits for a frame to have seen the key down.
    ASSERT_EQ(recording.received.size(), 1u);
    EXPECT_EQ(recording.received[0].message, WM_KEYDOWN);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    endFrame();
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_KEYUP);
}

TEST_F(MessageBox, TheRealBoxAnswersReturnWhileTheGameKeepsItsMessages)
{
    makeContextCurrent();
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    SDL_GLContext glBefore = SDL_GL_GetCurrentContext();
    SDL_Window* box = nullptr;
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            // The box is up: the player presses A in the game window...
            box = windowTitled("Box test");
            pushKey(gameWindow, SDL_KEYDOWN, SDLK_a);
        } else if (heard.message == WM_KEYDOWN && heard.wParam == 'A' && box != nullptr) {
            // ...then Return in the box.
            pushKey(box, SDL_KEYDOWN, SDLK_RETURN);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    const int answer = show("First line\nSecond line", "Box test", MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(answer, IDOK);
    ASSERT_NE(box, nullptr) << "the box was not up while the game's messages were dispatched";
    bool keySeen = false;
    for (size_t index = 0; index < recording.received.size(); ++index) {
        const ReceivedMessage& entry = recording.received[index];
        if (entry.message == WM_KEYDOWN && entry.wParam == 'A') {
            keySeen = true;
            EXPECT_TRUE(duringBox(index));
        }
    }
    EXPECT_TRUE(keySeen);
    EXPECT_EQ(windowTitled("Box test"), nullptr);  // gone again
    // The game draws on with its own context.
    EXPECT_EQ(SDL_GL_GetCurrentContext(), glBefore);
    EXPECT_EQ(SDL_GL_GetCurrentWindow(), gameWindow);
    EXPECT_EQ(wglGetCurrentContext(), context);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MessageBox, TheRealQuestionAnswersNoToNAndEscape)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage)
            pushKey(windowTitled("Vorn GL"), SDL_KEYDOWN, SDLK_n);
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO | MB_ICONEXCLAMATION), IDNO);

    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage)
            pushKey(windowTitled("Vorn GL"), SDL_KEYDOWN, SDLK_ESCAPE);
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO | MB_ICONEXCLAMATION), IDNO);
}

TEST_F(MessageBox, TheRealQuestionAnswersYesToYAndReturn)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage)
            pushKey(windowTitled("Vorn GL"), SDL_KEYDOWN, SDLK_y);
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO), IDYES);

    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage)
            pushKey(windowTitled("Vorn GL"), SDL_KEYDOWN, SDLK_RETURN);
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO), IDYES);
}

TEST_F(MessageBox, TheRealBoxIgnoresYAndNWhenItOnlyHasOk)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            SDL_Window* box = windowTitled("ERROR");
            pushKey(box, SDL_KEYDOWN, SDLK_n);
            pushKey(box, SDL_KEYDOWN, SDLK_y);
            pushKey(box, SDL_KEYDOWN, SDLK_ESCAPE);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Window Creation Error.", "ERROR", MB_OK | MB_ICONEXCLAMATION), IDOK);
}

TEST_F(MessageBox, ClickingTheOkButtonAnswersIt)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            SDL_Window* box = windowTitled("Tip of the day!");
            int width = 0;
            int height = 0;
            SDL_GetWindowSize(box, &width, &height);
            pushClick(box, 2, 2);  // on no button: nothing
            // The single button sits centred along the bottom edge.
            pushClick(box, width / 2, height - 30);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Press T for another tip.", "Tip of the day!", MB_ICONINFORMATION), IDOK);
}

TEST_F(MessageBox, TheBoxHasAPointerEvenDuringARaceAndTheRaceGetsItsHiddenOneBack)
{
    ASSERT_EQ(ShowCursor(FALSE), -1);
    ASSERT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    int cursorDuringBox = -2;
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            cursorDuringBox = SDL_ShowCursor(SDL_QUERY);
            pushKey(windowTitled("Error"), SDL_KEYDOWN, SDLK_RETURN);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Something to read.", "Error", MB_OK), IDOK);
    EXPECT_EQ(cursorDuringBox, SDL_ENABLE);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(testHooks::cursorCounter(), -1);
}

TEST_F(MessageBox, ClosingTheQuestionAnswersNo)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            SDL_Event event{};
            event.type = SDL_WINDOWEVENT;
            event.window.windowID = SDL_GetWindowID(windowTitled("Vorn GL"));
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            SDL_PushEvent(&event);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO), IDNO);
}

TEST_F(MessageBox, AHeldKeyRepeatingIntoTheBoxDoesNotAnswerIt)
{
    recording.reaction = [&](const ReceivedMessage& heard) {
        if (heard.message == testMessage) {
            SDL_Window* box = windowTitled("Vorn GL");
            SDL_Event event{};
            event.type = SDL_KEYDOWN;
            event.key.windowID = SDL_GetWindowID(box);
            event.key.repeat = 1;
            event.key.keysym.sym = SDLK_RETURN;
            SDL_PushEvent(&event);  // the Enter that led here, still held
            pushKey(box, SDL_KEYDOWN, SDLK_ESCAPE);
        }
    };
    PostMessageA(window, testMessage, 0, 0);
    EXPECT_EQ(show("Use Windowed Mode Instead?", "Vorn GL", MB_YESNO), IDNO);
}

TEST(MessageBoxWithoutDisplay, ItIsPrintedAndAnsweredOkOrNo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            const int ok =
                MessageBoxA(nullptr, "Window Creation Error.", "ERROR", MB_OK | MB_ICONEXCLAMATION);
            const int no = MessageBoxA(nullptr, "Use Windowed Mode Instead?", "Vorn GL",
                                       MB_YESNO | MB_ICONEXCLAMATION);
            std::exit(ok == IDOK && no == IDNO ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "ERROR: Window Creation Error.\nVorn GL: Use Windowed Mode Instead\\?");
}
