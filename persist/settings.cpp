// The player's settings and the 22-character file that keeps them.
#include "persist/settings.h"

#include "persist/atomic_file.h"
#include "persist/read_file_head.h"
#include "platform/win32.h"

#include <cmath>

GameSettings settings;

const char* const settingsFileName = "Data/settings .tgx";

namespace {

// The end of the file reads as one more character, the C library's end
// code taken as a character: its digit value is -1 - '0'.
constexpr int endDigit = -49;

constexpr int settingsLength = 22;

// A flag is set by any character but the digit 0, the end included.
bool flagOf(int digit) { return digit != 0; }

// Writes `value` as `width` zero-padded decimal digits, or `fallback` when
// it does not fit, so every field keeps its place in the file.
void putDigits(char* out, int width, long value, long fallback)
{
    long limit = 1;
    for (int i = 0; i < width; ++i)
        limit *= 10;
    if (value < 0 || value >= limit)
        value = fallback;
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// Tenths of the speed factor in two digits; a machine fast enough to need
// 10.0 or more is kept at the largest speed the field can hold.
long speedTenths(float gameSpeed)
{
    const double tenths = static_cast<double>(gameSpeed) * 10.0;
    if (!(tenths >= 0.0))
        return 0;
    if (tenths >= 99.5)
        return 99;
    return std::lround(tenths);
}

// Only codes of the 256-entry key table are kept; anything else becomes the
// code 0, which matches no key.
void putKey(char* out, int code) { putDigits(out, 3, code <= 255 ? code : 0, 0); }

void applyDigit(int position, int digit)
{
    switch (position) {
    case 0: settings.gameSpeed = static_cast<float>(digit * 10); break;
    case 1: settings.gameSpeed += static_cast<float>(digit); break;
    case 2: settings.showSky = flagOf(digit); break;
    case 3: settings.resolutionIndex = digit; break;
    case 4: settings.raceType = digit; break;
    case 5: settings.accelerateKey = digit * 100; break;
    case 6: settings.accelerateKey += digit * 10; break;
    case 7: settings.accelerateKey += digit; break;
    case 8: settings.decelerateKey = digit * 100; break;
    case 9: settings.decelerateKey += digit * 10; break;
    case 10: settings.decelerateKey += digit; break;
    case 11: settings.leftKey = digit * 100; break;
    case 12: settings.leftKey += digit * 10; break;
    case 13: settings.leftKey += digit; break;
    case 14: settings.rightKey = digit * 100; break;
    case 15: settings.rightKey += digit * 10; break;
    case 16: settings.rightKey += digit; break;
    case 17: settings.bombKey = digit * 100; break;
    case 18: settings.bombKey += digit * 10; break;
    case 19: settings.bombKey += digit; break;
    case 20: settings.rotateShip = flagOf(digit); break;
    case 21: settings.soundOn = flagOf(digit); break;
    default: break;  // anything after the last field, such as a line end
    }
}

// A missing, cut-short or damaged file must not leave the game without a
// window size or the race without keys: a race key that matches no key
// takes its arrow key or the space bar (as SET TO ARROW KEYS sets them), a
// resolution outside the three is 640 x 480. What is repaired is saved so.
void repairKey(int& code, int arrowCode)
{
    if (code < 1 || code > 255)
        code = arrowCode;
}

void repairSettings()
{
    repairKey(settings.accelerateKey, VK_UP);
    repairKey(settings.decelerateKey, VK_DOWN);
    repairKey(settings.leftKey, VK_LEFT);
    repairKey(settings.rightKey, VK_RIGHT);
    repairKey(settings.bombKey, VK_SPACE);
    if (settings.resolutionIndex < 1 || settings.resolutionIndex > 3)
        settings.resolutionIndex = 2;
}

}  // namespace

void loadSettings()
{
    unsigned char bytes[settingsLength + 1];
    const long count = readFileHead(settingsFileName, bytes, sizeof bytes);
    if (count >= 0) {
        for (int position = 0;; ++position) {
            if (position == count || bytes[position] == 0xFF) {
                applyDigit(position, endDigit);
                break;
            }
            applyDigit(position, bytes[position] - '0');
        }
        settings.gameSpeed *= 0.1f;
    }
    repairSettings();
}

void formatSettings(char out[22])
{
    putDigits(out + 0, 2, speedTenths(settings.gameSpeed), 0);
    out[2] = settings.showSky ? '1' : '0';
    putDigits(out + 3, 1, settings.resolutionIndex, 0);
    putDigits(out + 4, 1, settings.raceType, 0);
    putKey(out + 5, settings.accelerateKey);
    putKey(out + 8, settings.decelerateKey);
    putKey(out + 11, settings.leftKey);
    putKey(out + 14, settings.rightKey);
    putKey(out + 17, settings.bombKey);
    out[20] = settings.rotateShip ? '1' : '0';
    out[21] = settings.soundOn ? '1' : '0';
}

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
    case 1: settings.windowWidth = 320; settings.windowHeight = 240; break;
    case 2: settings.windowWidth = 640; settings.windowHeight = 480; break;
    case 3: settings.windowWidth = 1024; settings.windowHeight = 768; break;
    default: break;
    }
}
