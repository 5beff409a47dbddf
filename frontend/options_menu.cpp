// The Options menu: race type, sound, and the way on to Controls and
// Graphics.
#include "frontend/options_menu.h"

#include "frontend/menu.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "race/race_types.h"
#include "render/font.h"

#include <GL/gl.h>

namespace {

constexpr int rowCount = 5;
constexpr float rowX = -2.2f;

// The race type row also sets the bar the race must fill for that type.
// A type outside 1 to 4 shows nothing and leaves the bar; the frame wraps
// it later.
void drawRaceTypeRow()
{
    menuItemColour(1);
    glRasterPos2f(rowX, 1.0f);
    if (const RaceTypeFacts* type = raceTypeFacts(settings.raceType))
        printText("Race Type: %s", type->name);
    setBarTarget(settings.raceType);
}

void drawRow(int row, const char* text)
{
    menuItemColour(row);
    glRasterPos2f(rowX, 2.0f - static_cast<float>(row));
    printText("%s", text);
}

void chooseRow(int row)
{
    switch (row) {
    case 1:
        ++settings.raceType;
        if (settings.raceType > RaceType::JOURNEY)
            settings.raceType = RaceType::SHORT;
        break;
    case 2: settings.soundOn = !settings.soundOn; break;
    case 3: openControls(); break;
    case 4: openGraphics(); break;
    case 5:
        closeOptions();
        saveSettings();  // now, as well as at the teardown
        break;
    }
}

}  // namespace

void optionsMenu()
{
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos2f(-1.0f, 3.0f);
    printText("OPTIONS");

    drawRaceTypeRow();
    drawRow(2, settings.soundOn ? "Sound: ON" : "Sound: OFF");
    drawRow(3, "CONTROLS");
    drawRow(4, "GRAPHICS");
    drawRow(5, "BACK");

    navigateMenu(rowCount);

    if (input.keys[VK_RETURN] && menu.repeatDelay == 0) {
        menu.repeatDelay = 10;
        // Before the toggle: turning the sound off still bleeps, turning
        // it on does not.
        playBleep();
        chooseRow(menu.currentItem);
    }
    // The race type steps past 1 and 4 here; the frame wraps it afterwards.
    // Left waits longer, so a frame with Left never also takes Right.
    if (input.keys[VK_LEFT] && menu.repeatDelay == 0) {
        menu.repeatDelay = 13;
        if (menu.currentItem == 1)
            --settings.raceType;
    }
    if (input.keys[VK_RIGHT] && menu.repeatDelay == 0) {
        menu.repeatDelay = 10;
        if (menu.currentItem == 1)
            ++settings.raceType;
    }
}
