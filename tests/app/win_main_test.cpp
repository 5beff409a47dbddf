// Start-up, the main loop, the full-screen toggle, and the teardown that
// saves the player's files and releases the window.
#include "app/game_window.h"
#include "app/win_main.h"
#include "game/app_state.h"
#include "game/input.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/quit_signals.h"
#include "race/race.h"
#include "tests/support/game_fixture.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

using ShutdownTest = GameTest;

static int indexOf(const std::vector<std::string>& log, const std::string& call, int from = 0)
{
    for (size_t i = static_cast<size_t>(from); i < log.size(); ++i) {
        if (log[i] == call)
            return static_cast<int>(i);
    }
    return -1;
}

TEST_F(ShutdownTest, TeardownSavesFirstThenReleasesInOrder)
{
    openWindow(320, 240);
    size_t before = testHooks::callLog().size();
    std::remove("Data/settings .tgx");
    std::remove("Data/data .tgx");

    // A failing first release shows that both files were already written.
    testHooks::failCall(PlatformCall::ReleaseCurrent);
    bool savedBeforeReleases = false;
    testHooks::answerMessageBoxes([&](const MessageBoxRecord&) {
        savedBeforeReleases =
            readFile("Data/settings .tgx").size() == 22 && readFile("Data/data .tgx").size() == 26;
        return IDOK;
    });
    closeGameWindow();
    windowOpen = false;
    EXPECT_TRUE(savedBeforeReleases);

    std::vector<std::string> log(testHooks::callLog().begin() + static_cast<long>(before),
                                 testHooks::callLog().end());
    int makeCurrent = indexOf(log, "wglMakeCurrent");
    int deleteContext = indexOf(log, "wglDeleteContext");
    int releaseDc = indexOf(log, "ReleaseDC");
    int destroy = indexOf(log, "DestroyWindow");
    int unregister = indexOf(log, "UnregisterClassA");
    EXPECT_EQ(indexOf(log, "ChangeDisplaySettingsA"), -1) << "windowed: no mode to restore";
    EXPECT_GE(makeCurrent, 0);
    EXPECT_LT(makeCurrent, deleteContext);
    EXPECT_LT(deleteContext, releaseDc);
    EXPECT_LT(releaseDc, destroy);
    EXPECT_LT(destroy, unregister);
}

TEST_F(ShutdownTest, LeavingFullScreenRestoresTheDesktopModeBeforeReleasing)
{
    DisplaySize screen = displaySize();
    openWindow(screen.width, screen.height, true);
    size_t before = testHooks::callLog().size();
    closeGameWindow();
    windowOpen = false;
    std::vector<std::string> log(testHooks::callLog().begin() + static_cast<long>(before),
                                 testHooks::callLog().end());
    int restore = indexOf(log, "ChangeDisplaySettingsA");
    EXPECT_GE(restore, 0);
    EXPECT_LT(restore, indexOf(log, "wglMakeCurrent"));
    EXPECT_EQ(readFile("Data/data .tgx").back(), '1');
}

// Each release that can fail: its message, and whether its handle is then
// forgotten.
TEST_F(ShutdownTest, EachFailedReleaseIsReportedAndOnlyItsHandleForgotten)
{
    struct Release {
        PlatformCall call;
        const char* text;
    };
    const Release releases[] = {
        {PlatformCall::ReleaseCurrent, "Release Of DC And RC Failed."},
        {PlatformCall::DeleteContext, "Release Rendering Context Failed."},
        {PlatformCall::ReleaseDC, "Release Device Context Failed."},
        {PlatformCall::DestroyWindow, "Could Not Release hWnd."},
        {PlatformCall::UnregisterClass, "Could Not Unregister Class."},
    };
    for (const Release& release : releases) {
        SCOPED_TRACE(release.text);
        testHooks::reset();
        testHooks::setFramePacing(false);
        testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
        openWindow(320, 240);
        GameWindow opened = gameWindow;
        testHooks::failCall(release.call);
        closeGameWindow();
        windowOpen = false;

        ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
        const MessageBoxRecord& box = testHooks::messageBoxes()[0];
        EXPECT_EQ(box.text, release.text);
        EXPECT_EQ(box.caption, "SHUTDOWN ERROR");
        EXPECT_EQ(box.style, MB_OK | MB_ICONINFORMATION);

        // The context is always forgotten; the others only when they failed.
        EXPECT_EQ(gameWindow.renderingContext, nullptr);
        EXPECT_EQ(gameWindow.deviceContext == nullptr, release.call == PlatformCall::ReleaseDC);
        EXPECT_EQ(gameWindow.window == nullptr, release.call == PlatformCall::DestroyWindow);
        EXPECT_EQ(gameWindow.instance == nullptr, release.call == PlatformCall::UnregisterClass);
        if (release.call != PlatformCall::ReleaseDC) {
            EXPECT_EQ(gameWindow.deviceContext, opened.deviceContext);
        }
        if (release.call == PlatformCall::UnregisterClass)
            UnregisterClassA("OpenGL", GetModuleHandleA(nullptr));
    }
}

// The SDL window behind the game window, found by its title.
static Uint32 gameSdlWindowId()
{
    for (Uint32 id = 1; id < 1000; ++id) {
        SDL_Window* window = SDL_GetWindowFromID(id);
        if (window != nullptr && std::string(SDL_GetWindowTitle(window)) == "Trigonix")
            return id;
    }
    return 0;
}

// What the desktop tells the game window, as the X server's events arrive.
static void pushWindowEvent(Uint8 what)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = gameSdlWindowId();
    SDL_PushEvent(&event);
}

// The whole program in this process: WinMain with a script played between
// frames of its real loop.
struct StartUpTest : GameTest {
    std::atomic<int> frames{0};
    std::function<void(int)> script;

    int runWinMain()
    {
        testHooks::onSwap([this] {
            ++frames;
            if (script)
                script(frames);
        });
        return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
    }
};

TEST_F(StartUpTest, ClosingTheWindowEndsTheGameWithBothFilesSaved)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "0712308500042KVaKVaKVais}0");
    script = [](int frame) {
        if (frame == 5)
            PostMessageA(gameWindow.window, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(runWinMain(), 0);
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(readFile("Data/settings .tgx"), "1012103804003703903201");
    EXPECT_EQ(readFile("Data/data .tgx"), "0712308500042KVaKVaKVais}0");
    EXPECT_EQ(settings.windowWidth, 640);
    EXPECT_EQ(race.barTarget, 2.0f);
}

TEST_F(StartUpTest, TheTitleJingleStartsBeforeTheWindowOnlyWithSoundOn)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    script = [](int) { PostQuitMessage(0); };
    runWinMain();
    ASSERT_FALSE(testHooks::soundsRequested().empty());
    EXPECT_EQ(testHooks::soundsRequested()[0], "Data/title.wav");
    EXPECT_EQ(indexOf(testHooks::callLog(), "CreateWindowExA") >= 0, true);

    testHooks::reset();
    testHooks::setFramePacing(false);
    writeFile("Data/settings .tgx", "1012103804003703903200");
    app.quitRequested = false;
    script = [](int) { PostQuitMessage(0); };
    runWinMain();
    EXPECT_TRUE(std::find(testHooks::soundsRequested().begin(), testHooks::soundsRequested().end(),
                          "Data/title.wav") == testHooks::soundsRequested().end());
}

TEST_F(StartUpTest, WithNoSettingsFileTheWindowIs640By480AndTheOtherDefaultsStay)
{
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    script = [](int) { PostQuitMessage(0); };
    runWinMain();
    EXPECT_EQ(settings.windowWidth, 640);
    EXPECT_EQ(settings.windowHeight, 480);
    // Race type 0 becomes JOURNEY in the first frame, and brings its bar.
    EXPECT_EQ(race.barTarget, 100000000.0f);
}

TEST_F(StartUpTest, F1SavesTheModeBeingLeftThenReopensInTheOther)
{
    // A 320 x 240 full-screen mode is refused by the test display, and
    // the question is answered Yes: the game goes on in a window.
    writeFile("Data/settings .tgx", "1011103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}1");
    std::string dataAtToggle;
    script = [&](int frame) {
        if (frame == 1) {
            // Started full screen at a refused size, answered Yes: windowed.
            EXPECT_FALSE(settings.fullscreen);
            input.keys[VK_F1] = true;
        }
        if (frame == 2) {
            dataAtToggle = readFile("Data/data .tgx");
            PostQuitMessage(0);
        }
    };
    EXPECT_EQ(runWinMain(), 0);
    // The toggle saved "windowed", then asked for full screen, which was
    // refused and answered Yes again.
    EXPECT_EQ(dataAtToggle.back(), '0');
    EXPECT_EQ(testHooks::messageBoxes().size(), 2u);
    EXPECT_FALSE(input.keys[VK_F1]);
}

TEST_F(StartUpTest, AnF1ToFullScreenAnsweredNoEndsAtOnceWithoutSavingAgain)
{
    writeFile("Data/settings .tgx", "1011103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    testHooks::answerMessageBoxes([](const MessageBoxRecord& box) {
        if (box.style & MB_YESNO) {
            // The toggle has saved both files: take them away to see that
            // nothing writes them again.
            std::remove("Data/settings .tgx");
            std::remove("Data/data .tgx");
            return IDNO;
        }
        return IDOK;
    });
    script = [](int frame) {
        if (frame == 3)
            input.keys[VK_F1] = true;
    };
    EXPECT_EQ(runWinMain(), 1);  // a failure, whatever the player answered
    EXPECT_EQ(frames, 3);
    EXPECT_FALSE(fileExists("Data/settings .tgx"));
    EXPECT_FALSE(fileExists("Data/data .tgx"));
    EXPECT_EQ(testHooks::messageBoxes().back().text, "Program Will Now Close.");
}

TEST_F(StartUpTest, AFrameThatAsksToQuitStillFinishesItsPass)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    int opened = 0;
    script = [&](int frame) {
        if (frame == 2) {
            app.quitRequested = true;
            input.keys[VK_F1] = true;  // the toggle test still runs in this pass
            opened = indexOf(testHooks::callLog(), "CreateWindowExA");
        }
    };
    runWinMain();
    EXPECT_EQ(frames, 2);
    EXPECT_GT(indexOf(testHooks::callLog(), "CreateWindowExA", opened + 1), opened);
}

TEST_F(StartUpTest, WhileMinimisedTheLoopSleepsAndDrawsNothing)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    std::atomic<int> framesWhileMinimised{-1};
    std::thread restorer;
    script = [&](int frame) {
        // The window's own start-up events (shown, focused) arrive from the
        // X server in their own time: let them come before minimising.
        if (frame == 29)
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (frame == 30) {
            pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
            // The desktop restores the window a little later; until then
            // the loop must wait in the queue, not draw.
            restorer = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                framesWhileMinimised = frames.load();
                pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
            });
        }
        if (frame == 31)
            PostQuitMessage(0);
    };
    runWinMain();
    restorer.join();
    EXPECT_EQ(framesWhileMinimised, 30);
    EXPECT_EQ(frames, 31);
    EXPECT_TRUE(app.active);
}

TEST_F(StartUpTest, F1PressedWhileMinimisedTogglesWithoutWaitingForMore)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    std::atomic<int> framesBeforeRestore{-1};
    std::thread restorer;
    script = [&](int frame) {
        if (frame == 29)
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (frame == 30) {
            const Uint32 minimisedWindow = gameSdlWindowId();
            pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
            SDL_Event f1{};
            f1.type = SDL_KEYDOWN;
            f1.key.windowID = minimisedWindow;
            f1.key.state = SDL_PRESSED;
            f1.key.keysym.scancode = SDL_SCANCODE_F1;
            f1.key.keysym.sym = SDLK_F1;
            SDL_PushEvent(&f1);
            // The toggle's new window is not minimised: frames go on. Only
            // if they do not is the old window restored, so the loop ends.
            restorer = std::thread([&, minimisedWindow] {
                for (int i = 0; i < 500 && frames.load() <= 30; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                framesBeforeRestore = frames.load();
                SDL_Event restored{};
                restored.type = SDL_WINDOWEVENT;
                restored.window.event = SDL_WINDOWEVENT_RESTORED;
                restored.window.windowID = minimisedWindow;
                SDL_PushEvent(&restored);
            });
        }
        if (frame == 31)
            PostQuitMessage(0);
    };
    runWinMain();
    if (restorer.joinable())
        restorer.join();
    EXPECT_EQ(framesBeforeRestore, 31) << "the toggle waited for the window to come back";
    const auto& log = testHooks::callLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "CreateWindowExA"), 2);
}

// Logout while the game sleeps minimised: the signal wakes the loop, which
// closes the window as the window manager would, saving both files.
TEST_F(StartUpTest, AQuitSignalWhileMinimisedEndsTheGameAsAClose)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    writeFile("Data/data .tgx", "9999999900001is}is}is}is}0");
    catchQuitSignals();
    std::thread session;
    std::atomic<bool> ended{false};
    script = [&](int frame) {
        if (frame == 29)
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (frame == 30) {
            settings.raceType = 3;  // a change only the teardown saves
            pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
            session = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                kill(getpid(), SIGTERM);
                // Should the loop sleep on, the desktop brings the window
                // back, so that the test ends (and fails) rather than hang.
                for (int wait = 0; wait < 100 && !ended; ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                if (!ended)
                    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
            });
        }
        if (frame == 31)
            PostQuitMessage(0);
    };
    EXPECT_EQ(runWinMain(), 0);
    ended = true;
    session.join();
    EXPECT_EQ(frames, 30);
    EXPECT_EQ(readFile("Data/settings .tgx"), "1012303804003703903201");
    EXPECT_EQ(readFile("Data/data .tgx"), "9999999900001is}is}is}is}0");
}

TEST_F(StartUpTest, AFailedWindowAtStartUpEndsTheGameWithOne)
{
    writeFile("Data/settings .tgx", "1012103804003703903201");
    testHooks::failCall(PlatformCall::CreateContext);
    EXPECT_EQ(runWinMain(), 1);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(boxTexts().back(), "Can't Create A GL Rendering Context.");
}
