// The player's settings and the 22-character file that keeps them.
#include "persist/settings.h"

#include "persist/atomic_file.h"
#include "persist/data_fields.h"
#include "persist/read_file_head.h"
#include "platform/win32.h"

GameSettings settings;

const char* const settingsFileName = "Data/settings .tgx";

namespace {

constexpr int settingsLength = 22;

// The file, field by field. A race key that matches no key takes its arrow
// key or the space bar (as SET TO ARROW KEYS sets them), a resolution
// outside the three is 640 x 480: a missing, cut-short or damaged file must
// not leave the game without a window size or the race without keys, and
// what is repaired is saved so. Only codes of the 256-entry key table are
// saved; anything else saves as the code 0, which matches no key.
// clang-format off
const DataField settingsFields[] = {
    {.start = 0, .width = 2, .tenths = &settings.gameSpeed, .largest = 99},
    {.start = 2, .width = 1, .flag = &settings.showSky},
    {.start = 3, .width = 1, .number = &settings.resolutionIndex, .largest = 9,
     .repair = FieldRepair{1, 3, 2}},
    {.start = 4, .width = 1, .number = &settings.raceType, .largest = 9},
    {.start = 5, .width = 3, .number = &settings.accelerateKey, .largest = 255,
     .repair = FieldRepair{1, 255, VK_UP}},
    {.start = 8, .width = 3, .number = &settings.decelerateKey, .largest = 255,
     .repair = FieldRepair{1, 255, VK_DOWN}},
    {.start = 11, .width = 3, .number = &settings.leftKey, .largest = 255,
     .repair = FieldRepair{1, 255, VK_LEFT}},
    {.start = 14, .width = 3, .number = &settings.rightKey, .largest = 255,
     .repair = FieldRepair{1, 255, VK_RIGHT}},
    {.start = 17, .width = 3, .number = &settings.bombKey, .largest = 255,
     .repair = FieldRepair{1, 255, VK_SPACE}},
    {.start = 20, .width = 1, .flag = &settings.rotateShip},
    {.start = 21, .width = 1, .flag = &settings.soundOn},
};
// clang-format on

}  // namespace

void loadSettings()
{
    unsigned char bytes[settingsLength + 1];
    const long count = readFileHead(settingsFileName, bytes, sizeof bytes);
    readFields(settingsFields, bytes, count);
    repairFields(settingsFields);
}

void formatSettings(char out[22]) { writeFields(settingsFields, out); }

void saveSettings()
{
    char text[settingsLength];
    formatSettings(text);
    replaceFile(settingsFileName, text, sizeof text);
}

bool wrapRaceType()
{
    const int raceType = settings.raceType;
    if (settings.raceType > 4)
        settings.raceType = 1;
    if (settings.raceType < 1)
        settings.raceType = 4;
    return settings.raceType != raceType;
}

void deriveWindowSize()
{
    switch (settings.resolutionIndex) {
    case 1:
        settings.windowWidth = 320;
        settings.windowHeight = 240;
        break;
    case 2:
        settings.windowWidth = 640;
        settings.windowHeight = 480;
        break;
    case 3:
        settings.windowWidth = 1024;
        settings.windowHeight = 768;
        break;
    default: break;
    }
}
