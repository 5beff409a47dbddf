// The Controls menu: the five race keys, assigned by holding the new key
// and pressing Enter, their defaults, and the rotate mode.
#include "frontend/controls_menu.h"

#include "frontend/menu.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "render/font.h"

#include <GL/gl.h>

namespace {

constexpr int rowCount = 8;
constexpr float rowX = -2.2f;

// A key is shown as the character of its code; a code the font has no
// glyph for (a stored code can be anything) shows as nothing.
int shownKey(int code) { return code >= 32 && code <= 127 ? code : 0; }

void printKeyRow(int row, float y, const char* format, int code)
{
    menuItemColour(row);
    glRasterPos2f(rowX, y);
    printText(format, shownKey(code));
}

void printRow(int row, float y, const char* text)
{
    menuItemColour(row);
    glRasterPos2f(rowX, y);
    printText("%s", text);
}

void drawRows()
{
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos2f(-1.0f, 3.0f);
    printText("CONTROLS");

    printKeyRow(1, 2.0f, "ACCELERATE: %5c", settings.accelerateKey);
    printKeyRow(2, 1.5f, "RIGHT: %5c", settings.rightKey);
    printKeyRow(3, 1.0f, "LEFT: %5c", settings.leftKey);
    printKeyRow(4, 0.5f, "DECELERATE: %5c", settings.decelerateKey);
    printKeyRow(5, 0.0f, "BOMB: %5c", settings.bombKey);
    printRow(6, -0.5f, "SET TO ARROW KEYS AND SPACE BAR");
    printRow(7, -1.25f, settings.rotateShip ? "ROTATE: SHIP" : "ROTATE: WORLD");
    printRow(8, -2.25f, "BACK");
}

void printNote(float y, const char* text)
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glRasterPos2f(-4.7f, y);
    printText("%s", text);
}

int* keyOfRow(int row)
{
    switch (row) {
    case 1: return &settings.accelerateKey;
    case 2: return &settings.rightKey;
    case 3: return &settings.leftKey;
    case 4: return &settings.decelerateKey;
    case 5: return &settings.bombKey;
    }
    return nullptr;
}

// The lowest code held down besides Enter, which is down by necessity;
// -1 when Enter is the only key down.
int lowestHeldKey()
{
    for (int code = 0; code < 256; ++code) {
        if (code != VK_RETURN && input.keys[code])
            return code;
    }
    return -1;
}

void assignKey(int row)
{
    // With nothing held but Enter the player has not chosen a key yet:
    // the row keeps the one it has.
    int code = lowestHeldKey();
    if (code >= 0)
        *keyOfRow(row) = code;
}

void setDefaultKeys()
{
    settings.accelerateKey = VK_UP;
    settings.decelerateKey = VK_DOWN;
    settings.leftKey = VK_LEFT;
    settings.rightKey = VK_RIGHT;
    settings.bombKey = VK_SPACE;
}

// The delay stays 0 on rows 1 to 6: each new Enter repeats the action,
// which for an assignment with the same key held gives the same result.
void selectRow()
{
    playBleep();
    switch (menu.currentItem) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5: assignKey(menu.currentItem); break;
    case 6: setDefaultKeys(); break;
    case 7:
        settings.rotateShip = !settings.rotateShip;
        menu.repeatDelay = 10;
        break;
    case 8: closeControls(); break;
    }
}

}  // namespace

void controlsMenu()
{
    drawRows();
    navigateMenu(rowCount);

    if (menu.currentItem >= 1 && menu.currentItem <= 5)
        printNote(-3.0f, "PRESS AND HOLD THE NEW KEY AND THEN PRESS ENTER...");
    if (input.leftButtonDown || input.rightButtonDown)
        printNote(-3.5f, "      USE THE KEYBOARD TO ASSIGN KEYS!!");

    if (input.keys[VK_RETURN] && menu.repeatDelay == 0)
        selectRow();
}
