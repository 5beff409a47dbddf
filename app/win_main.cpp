// Start-up, the message and render loop, and the teardown that saves the
// player's files and releases the window.
#include "app/win_main.h"

#include "app/frame.h"
#include "app/game_window.h"
#include "frontend/replay_viewer.h"
#include "game/app_state.h"
#include "game/input.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/lost_display.h"
#include "race/race.h"
#include "race/replay_file.h"
#include "render/font.h"
#include "render/shapes.h"

#include <cstdlib>

// Every window the game opens: at start-up, on F1 and from the Graphics menu.
static const char* const gameTitle = "Trigonix";
static const int colourBits = 16;

// The race's goal for the race type the settings file named; any other
// value leaves it as it was. A JOURNEY's bar is never reached, so its
// start-up value need not be the Options menu's.
static void deriveBarTarget()
{
    setBarTarget(settings.raceType);
    if (settings.raceType == RaceType::JOURNEY)
        race.barTarget = 10000000.0f;
}

// What a display that went away leaves time for: the same writes as the
// teardown's, nothing else.
static void saveBothFiles()
{
    dropReplay();
    saveSettings();
    saveHighScores();
}

static bool openWindow()
{
    return createGameWindow(gameTitle, settings.windowWidth, settings.windowHeight, colourBits,
                            settings.fullscreen);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    settings.fullscreen = true;
    loadSettings();
    deriveWindowSize();
    deriveBarTarget();
    loadHighScores();
    findReplays();
    saveOnLostDisplay(saveBothFiles);
    if (settings.soundOn)
        PlaySoundA("Data/title.wav", nullptr, SND_ASYNC);
    // A game that cannot open its window has failed; its box said why.
    if (!openWindow())
        return 1;

    // A closed window ends with WM_QUIT's code (0); the exit screen ends the
    // loop with the key that ended it last retrieved, which is no status.
    int exitStatus = 0;
    MSG message{};
    while (!app.quitRequested) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                app.quitRequested = true;
                exitStatus = static_cast<int>(message.wParam);
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }

        if (app.active) {
            drawScene();
            SwapBuffers(gameWindow.deviceContext);
        }

        if (input.keys[VK_F1]) {
            input.keys[VK_F1] = false;
            closeGameWindow();
            settings.fullscreen = !settings.fullscreen;
            if (!openWindow())
                return 1;
        }

        // Minimised: sleep until something happens rather than spin, but
        // only once an F1 pressed meanwhile has had its toggle.
        if (!app.active)
            WaitMessage();
    }

    closeGameWindow();
    return exitStatus;
}

void rebuildGameWindow()
{
    // The click or key that chose BACK must not act again in the new window.
    input.leftButtonDown = false;
    input.keys[VK_RETURN] = false;
    closeGameWindow();
    ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
    if (!openWindow())
        std::exit(1);
}

static void showShutdownError(const char* text)
{
    MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

void closeGameWindow()
{
    // A replay under way holds its own settings and table where the game's
    // stand: the game's go back before they are saved.
    dropReplay();
    saveSettings();
    saveHighScores();

    if (settings.fullscreen)
        ChangeDisplaySettingsA(nullptr, 0);

    releaseScene();
    if (gameWindow.renderingContext != nullptr) {
        if (!wglMakeCurrent(nullptr, nullptr))
            showShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(gameWindow.renderingContext))
            showShutdownError("Release Rendering Context Failed.");
        gameWindow.renderingContext = nullptr;
    }

    // A handle whose release failed is forgotten; one released well keeps
    // its old value until the next window replaces it.
    if (gameWindow.deviceContext != nullptr &&
        !ReleaseDC(gameWindow.window, gameWindow.deviceContext)) {
        showShutdownError("Release Device Context Failed.");
        gameWindow.deviceContext = nullptr;
    }
    if (gameWindow.window != nullptr && !DestroyWindow(gameWindow.window)) {
        showShutdownError("Could Not Release hWnd.");
        gameWindow.window = nullptr;
    }
    if (!UnregisterClassA(windowClassName, gameWindow.instance)) {
        showShutdownError("Could Not Unregister Class.");
        gameWindow.instance = nullptr;
    }

    deleteFontLists();
    clearShapeLists();
}
