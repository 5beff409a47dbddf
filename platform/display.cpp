// The display: SDL video started on first need, and the full-screen mode.
#include "platform/display.h"

#include "platform/gamepad.h"
#include "platform/heap.h"
#include "platform/platform_state.h"
#include "platform/probes.h"

#include <cstdlib>
#include <string>

namespace {

struct DisplayRecord {
    bool videoTried = false;
    bool videoReady = false;
    std::string videoError;
    bool modeAccepted = false;
    SDL_DisplayMode acceptedMode{};
};

DisplayRecord display;

constexpr int connectionRetries = 5;
constexpr Uint32 connectionRetryMilliseconds = 20;

bool environmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

}  // namespace

void keepSignalsAlone()
{
    // Ctrl+C and kill must end the game as they end any program; SDL would
    // turn them into a quit event, which the game does not act on.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

bool platformVideoReady()
{
    if (display.videoTried)
        return display.videoReady;
    display.videoTried = true;
    keepSignalsAlone();
    keepFreedMemory();
    // Only a window system will do: SDL's fallback to an invisible
    // off-screen display would run the game where nobody sees it. An
    // SDL_VIDEODRIVER set in the environment still wins.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, environmentSet("WAYLAND_DISPLAY") ? "x11,wayland" : "x11");
    // The window's class and Wayland app id are the desktop entry's name,
    // so the desktop matches the two; a value in the environment still wins.
    setenv("SDL_VIDEO_X11_WMCLASS", "io.github.trigonix.Trigonix", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "io.github.trigonix.Trigonix", 0);
    // A busy X server can refuse a connection now and then; a few more
    // tries cost nothing next to giving up on the game.
    int status = SDL_InitSubSystem(SDL_INIT_VIDEO);
    for (int retry = 0; status != 0 && environmentSet("DISPLAY") && retry < connectionRetries;
         ++retry) {
        SDL_Delay(connectionRetryMilliseconds);
        status = SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
    if (status != 0) {
        if (!environmentSet("DISPLAY") && !environmentSet("WAYLAND_DISPLAY"))
            display.videoError = "cannot open a display: DISPLAY is not set";
        else if (environmentSet("DISPLAY"))
            display.videoError =
                std::string("cannot open a display: cannot connect to the X server at ") +
                std::getenv("DISPLAY") + " (" + SDL_GetError() + ")";
        else
            display.videoError = std::string("cannot open a display: ") + SDL_GetError();
        return false;
    }
    // SDL unloads the GL library with the last GL window and loads it again
    // with the next, at the cost of a throwaway context each time, which
    // Mesa never wholly gives back: held here, it stays loaded.
    SDL_GL_LoadLibrary(nullptr);
    // The game reads keys, not text: no input method in the way.
    SDL_StopTextInput();
    startGamepads();
    display.videoReady = true;
    return true;
}

const char* platformDisplayError()
{
    if (platformVideoReady())
        return nullptr;
    return display.videoError.c_str();
}

const SDL_DisplayMode* acceptedFullscreenMode()
{
    return display.modeAccepted ? &display.acceptedMode : nullptr;
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags)
{
    (void)flags;
    if (probes::callFails(PlatformCall::ChangeDisplaySettings, "ChangeDisplaySettingsA"))
        return DISP_CHANGE_FAILED;

    if (mode == nullptr) {
        display.modeAccepted = false;
        for (const auto& window : platformRecords.windows) {
            if (window->fullscreen) {
                SDL_SetWindowFullscreen(window->sdlWindow, 0);
                window->fullscreen = false;
            }
        }
        return DISP_CHANGE_SUCCESSFUL;
    }

    if (!platformVideoReady())
        return DISP_CHANGE_FAILED;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode offered{};
        if (SDL_GetDisplayMode(0, i, &offered) != 0)
            continue;
        const bool exact = offered.w >= 0 && offered.h >= 0 &&
                           static_cast<DWORD>(offered.w) == mode->dmPelsWidth &&
                           static_cast<DWORD>(offered.h) == mode->dmPelsHeight;
        if (exact) {
            display.acceptedMode = offered;
            display.modeAccepted = true;
            return DISP_CHANGE_SUCCESSFUL;
        }
    }
    return DISP_CHANGE_BADMODE;
}
