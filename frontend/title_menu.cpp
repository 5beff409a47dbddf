// The title screen: the game's name, the credit and the main menu.
#include "frontend/title_menu.h"

#include "frontend/menu.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "render/font.h"

#include <GL/gl.h>

namespace {

constexpr int rowCount = 4;

const char* const rowTexts[rowCount] = {"SINGLE PLAYER", "OPTIONS", "HIGH SCORES", "QUIT"};

void chooseRow(int row)
{
    switch (row) {
    case 1: startRace(); break;
    case 2: openOptions(); break;
    case 3: openHighScores(); break;
    case 4:
        openExitScreen();
        if (settings.soundOn)
            PlaySoundA("Data/bye.wav", nullptr, SND_ASYNC);
        break;
    }
}

}  // namespace

void mainMenu()
{
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos2f(-2.8f, 3.0f);
    printText("         Trigonix");
    glColor3f(0.0f, 1.0f, 1.0f);
    glRasterPos2f(-2.1f, 2.5f);
    printText("Made By: Kelvorn");

    for (int row = 1; row <= rowCount; ++row) {
        menuItemColour(row);
        glRasterPos2f(-2.2f, 2.0f - static_cast<float>(row));
        printText("%s", rowTexts[row - 1]);
    }

    navigateMenu(rowCount);

    if (input.keys[VK_RETURN] && menu.repeatDelay == 0) {
        playBleep();
        menu.repeatDelay = 10;
        chooseRow(menu.currentItem);
    }
}
