// Opening the game window with its rendering context, and the rendering
// state every screen relies on.
#include "app/game_window.h"

#include "app/win_main.h"
#include "app/window_proc.h"
#include "game/frame_rate.h"
#include "game/random.h"
#include "persist/settings.h"
#include "render/font.h"
#include "render/shapes.h"
#include "render/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

GameWindow gameWindow;

const char* const windowClassName = "OpenGL";

// Filled on the first call only, so a re-created window asks for the
// colour depth the game started with.
static PIXELFORMATDESCRIPTOR pixelFormat;
static bool pixelFormatFilled = false;

static void showCreationError(const char* text)
{
    MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

// Tears down what was built so far (which also saves both data files),
// then says what went wrong.
static bool failCreation(const char* text)
{
    closeGameWindow();
    showCreationError(text);
    return false;
}

static void fillPixelFormat(int colourBits)
{
    pixelFormat = PIXELFORMATDESCRIPTOR{};
    pixelFormat.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.iPixelType = PFD_TYPE_RGBA;
    pixelFormat.cColorBits = static_cast<BYTE>(colourBits);
    pixelFormat.cDepthBits = 16;
    pixelFormat.iLayerType = PFD_MAIN_PLANE;
    pixelFormatFilled = true;
}

// Switches the display for full screen; a refused mode may be traded for a
// window. False when the player would rather stop.
static bool switchToFullscreen(int width, int height, int colourBits)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(colourBits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL)
        return true;

    if (MessageBoxA(nullptr,
                    "The Requested Fullscreen Mode Is Not Supported By\n"
                    "Your Video Card. Use Windowed Mode Instead?",
                    "Vorn GL", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        settings.fullscreen = false;
        return true;
    }
    MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
    return false;
}

bool createGameWindow(const char* title, int width, int height, int colourBits,
                      bool fullscreenRequest)
{
    settings.fullscreen = fullscreenRequest;
    gameWindow.instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = gameWindow.instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass)) {
        showCreationError("Failed To Register The Window Class.");
        return false;
    }

    if (settings.fullscreen && !switchToFullscreen(width, height, colourBits))
        return false;

    DWORD exStyle = WS_EX_APPWINDOW;
    DWORD style = WS_POPUP;
    if (!settings.fullscreen) {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }

    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);

    gameWindow.window =
        CreateWindowExA(exStyle, windowClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                        0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                        gameWindow.instance, nullptr);
    if (gameWindow.window == nullptr)
        return failCreation("Window Creation Error.");

    if (!pixelFormatFilled)
        fillPixelFormat(colourBits);

    gameWindow.deviceContext = GetDC(gameWindow.window);
    if (gameWindow.deviceContext == nullptr)
        return failCreation("Can't Create A GL Device Context.");

    int format = ChoosePixelFormat(gameWindow.deviceContext, &pixelFormat);
    if (format == 0)
        return failCreation("Can't Find A Suitable PixelFormat.");

    if (!SetPixelFormat(gameWindow.deviceContext, format, &pixelFormat))
        return failCreation("Can't Set The PixelFormat.");

    gameWindow.renderingContext = wglCreateContext(gameWindow.deviceContext);
    if (gameWindow.renderingContext == nullptr)
        return failCreation("Can't Create A GL Rendering Context.");

    if (!wglMakeCurrent(gameWindow.deviceContext, gameWindow.renderingContext))
        return failCreation("Can't Activate The GL Rendering Context.");

    ShowWindow(gameWindow.window, SW_SHOW);
    SetForegroundWindow(gameWindow.window);
    SetFocus(gameWindow.window);
    resizeScene(width, height);

    if (!initScene())
        return failCreation("Initialization Failed.");
    return true;
}

void resizeScene(int width, int height)
{
    // The size message sent while the window is being made comes before its
    // context; createGameWindow sizes the scene itself once there is one.
    if (wglGetCurrentContext() == nullptr)
        return;
    if (height == 0)
        height = 1;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool initScene()
{
    if (!loadTextures())
        return false;

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    seedGameRandom(static_cast<unsigned>(platformTime()));
    createFontLists();
    frameRate.secondStamp = platformTime();
    ShowCursor(TRUE);
    return true;
}

void releaseScene()
{
    if (gameWindow.renderingContext == nullptr ||
        wglGetCurrentContext() != gameWindow.renderingContext)
        return;
    // A picture that did not load this time keeps its name from an earlier
    // window; deleting that as well does no harm.
    const GLuint textures[] = {shipTextureA, moonTexture, shipTextureB, skyTexture, alienTexture};
    glDeleteTextures(5, textures);
    deleteFontLists();
    clearShapeLists();
}
