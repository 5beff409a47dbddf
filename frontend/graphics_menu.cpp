// The Graphics menu: resolution, full screen and sky. A new size or screen
// mode needs a new window, so such changes wait for BACK, which asks for
// one window that has them all.
#include "frontend/graphics_menu.h"

#include "frontend/menu.h"
#include "game/app_state.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "render/font.h"

#include <GL/gl.h>

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
        // The new window is built by the frame once the screens have run;
        // closing the old one saves both files.
        if (graphicsChanged)
            app.newWindowRequested = true;
        closeGraphics();
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
