// The Graphics menu: resolution, full screen and sky. A new size or screen
// mode needs a new window, so such changes wait for BACK and are applied
// there together.
#include "frontend/graphics_menu.h"

#include "app/frame.h"
#include "app/game_window.h"
#include "app/input.h"
#include "app/win_main.h"
#include "frontend/menu.h"
#include "persist/settings.h"
#include "render/font.h"

#include <GL/gl.h>

#include <cstdlib>

bool graphicsChanged = false;

namespace {

constexpr int rowCount = 4;
constexpr float rowX = -2.2f;

void drawRows()
{
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos2f(-1.0f, 3.0f);
    printText("GRAPHICS");

    menuItemColour(1);
    glRasterPos2f(rowX, 1.0f);
    printText("RESOLUTION: %4.0f %4.0f", static_cast<double>(settings.windowWidth),
              static_cast<double>(settings.windowHeight));

    menuItemColour(2);
    glRasterPos2f(rowX, 0.0f);
    printText(settings.fullscreen ? "FULLSCREEN: ON" : "FULLSCREEN: OFF");

    menuItemColour(3);
    glRasterPos2f(rowX, -1.0f);
    printText(settings.showSky ? "SHOW SKY: ON" : "SHOW SKY: OFF");

    menuItemColour(4);
    glRasterPos2f(rowX, -2.0f);
    printText("BACK");

    glColor3f(1.0f, 0.0f, 0.0f);
    glRasterPos2f(-5.2f, -3.5f);
    printText("SETTINGS WON'T TAKE AFFECT UNTIL YOU PRESS BACK");
}

// A stored index outside the three sizes wraps round to one of them.
void correctResolutionIndex()
{
    if (settings.resolutionIndex < 1)
        settings.resolutionIndex = 3;
    if (settings.resolutionIndex > 3)
        settings.resolutionIndex = 1;
}

// Closing the window saves both files; the new one is built at the size
// and mode now in the settings.
void applyChanges()
{
    // The click or key that chose BACK must not act again in the new window.
    input.leftButtonDown = false;
    input.keys[VK_RETURN] = false;
    closeGameWindow();
    ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
    // Without a window nothing more can be drawn: the game ends, failed, as
    // it does when start-up or F1 cannot build one. The failure was already
    // shown and the files already written.
    if (!createGameWindow("Trigonix", settings.windowWidth, settings.windowHeight, 16,
                          settings.fullscreen))
        std::exit(1);
}

void selectRow()
{
    menu.repeatDelay = 10;
    playBleep();
    switch (menu.currentItem) {
    case 1:
        if (settings.resolutionIndex <= 2) {
            ++settings.resolutionIndex;
            graphicsChanged = true;
        }
        break;
    case 2:
        settings.fullscreen = !settings.fullscreen;
        graphicsChanged = true;
        break;
    case 3:
        // The race reads the sky setting every frame: no new window needed.
        settings.showSky = !settings.showSky;
        break;
    case 4:
        if (graphicsChanged)
            applyChanges();
        screens.graphicsShown = false;
        screens.optionsShown = true;
        menu.currentItem = 4;
        graphicsChanged = false;
        break;
    }
}

}  // namespace

void graphicsMenu()
{
    drawRows();
    navigateMenu(rowCount);

    if (menu.currentItem == 3) {
        glColor3f(0.0f, 1.0f, 1.0f);
        glRasterPos2f(-5.1f, -3.0f);
        printText("TURNING THE SKY ON CAN SLOW DOWN THE GAME A LOT!");
    }

    correctResolutionIndex();

    if (input.keys[VK_RETURN] && menu.repeatDelay == 0)
        selectRow();

    if (input.keys[VK_LEFT] && menu.repeatDelay == 0) {
        menu.repeatDelay = 10;
        graphicsChanged = true;
        if (menu.currentItem == 1 && settings.resolutionIndex > 1)
            --settings.resolutionIndex;
    }
    if (input.keys[VK_RIGHT] && menu.repeatDelay == 0) {
        menu.repeatDelay = 10;
        graphicsChanged = true;
        if (menu.currentItem == 1 && settings.resolutionIndex <= 2)
            ++settings.resolutionIndex;
    }
}
