// The window procedure: window messages become the polled input state.
#include "app/window_proc.h"

#include "app/game_window.h"
#include "game/app_state.h"
#include "game/input.h"

// Key messages carry the virtual-key code in wParam; one outside the
// table (none is sent, but a message is only a number) is dropped.
static void setKey(WPARAM code, bool down)
{
    if (code < 256)
        input.keys[code] = down;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // Losing the focus keeps the game running; only minimising stops it.
        app.active = HIWORD(wParam) == 0;
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    case WM_KEYDOWN:
        input.keyHeld = true;
        setKey(wParam, true);
        return 0;
    case WM_KEYUP:
        input.lastReleasedKey = static_cast<int>(wParam);
        input.keyHeld = false;
        setKey(wParam, false);
        return 0;
    case WM_SIZE: resizeScene(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOUSEMOVE:
        input.mouseMoved = true;
        input.mouseX = static_cast<float>(LOWORD(lParam));
        input.mouseY = static_cast<float>(HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN: input.leftButtonDown = true; return 0;
    case WM_LBUTTONUP: input.leftButtonDown = false; return 0;
    case WM_RBUTTONDOWN: input.rightButtonDown = true; return 0;
    case WM_RBUTTONUP: input.rightButtonDown = false; return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
