// The screen flags, the menu state and the moves between screens.
#include "game/screens.h"

#include "game/input.h"
#include "platform/win32.h"

ScreenFlags screens;
MenuState menu;

void openOptions()
{
    screens.optionsShown = true;
    menu.currentItem = 1;
    menu.repeatDelay = 10;
}

void openHighScores()
{
    screens.highScoresShown = true;
    menu.repeatDelay = 40;
}

void openExitScreen()
{
    menu.menuClock = 0.0f;
    screens.exitScreenShown = true;
    input.keys[VK_RETURN] = false;
}

void openControls()
{
    screens.controlsShown = true;
    screens.optionsShown = false;
    menu.currentItem = 1;
}

void openGraphics()
{
    screens.graphicsShown = true;
    screens.optionsShown = false;
    menu.currentItem = 1;
}

void closeOptions()
{
    screens.optionsShown = false;
    menu.currentItem = 1;
}

void closeControls()
{
    screens.controlsShown = false;
    screens.optionsShown = true;
    menu.currentItem = 3;
    menu.repeatDelay = 20;
}

void closeGraphics()
{
    screens.graphicsShown = false;
    screens.optionsShown = true;
    menu.currentItem = 4;
}

void closeHighScores()
{
    menu.repeatDelay = 20;
    screens.highScoresShown = false;
}

void backToTitle()
{
    screens.frontEnd = true;
    screens.optionsShown = false;
    screens.helpShown = false;
    screens.controlsShown = false;
    screens.graphicsShown = false;
    screens.highScoresShown = false;
}

void openHelp() { screens.helpShown = true; }

void closeHelp() { screens.helpShown = false; }

void showRace()
{
    menu.currentItem = 1;
    screens.frontEnd = false;
}

void openNameEntry()
{
    input.lastReleasedKey = noKeyForNameEntry;
    screens.nameEntryShown = true;
}

void closeNameEntry()
{
    screens.nameEntryShown = false;
    screens.frontEnd = true;
}
