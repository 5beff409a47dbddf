// The keyboard map: every key gives the game its Windows code, on every
// layout.
#include "platform/keymap.h"
#include "platform/win32.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// One key: where it sits, what its layout types there, and the code the
// game must see for it.
struct KeyRow {
    SDL_Scancode position;
    SDL_Keycode symbol;
    int code;
};

// Every key of a 105-key keyboard and its keypad, with a US layout (the
// key beside Enter on an ISO board under both of SDL's names for it).
std::vector<KeyRow> usKeyboard()
{
    std::vector<KeyRow> rows;
    for (int i = 0; i < 26; ++i)
        rows.push_back({static_cast<SDL_Scancode>(SDL_SCANCODE_A + i), SDLK_a + i, 'A' + i});
    for (int i = 0; i < 9; ++i)
        rows.push_back({static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i), SDLK_1 + i, '1' + i});
    for (int i = 0; i < 12; ++i)
        rows.push_back({static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + i), SDLK_F1 + i, 112 + i});
    const SDL_Scancode keypad[10] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
                                     SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_5,
                                     SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8,
                                     SDL_SCANCODE_KP_9};
    const SDL_Keycode keypadSymbols[10] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                           SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; ++i)
        rows.push_back({keypad[i], keypadSymbols[i], 96 + i});
    const std::vector<KeyRow> others = {
        {SDL_SCANCODE_0, SDLK_0, 48},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 27},
        {SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, 44},
        {SDL_SCANCODE_SCROLLLOCK, SDLK_SCROLLLOCK, 145},
        {SDL_SCANCODE_PAUSE, SDLK_PAUSE, 19},
        {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, 192},
        {SDL_SCANCODE_MINUS, SDLK_MINUS, 189},
        {SDL_SCANCODE_EQUALS, SDLK_EQUALS, 187},
        {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 8},
        {SDL_SCANCODE_TAB, SDLK_TAB, 9},
        {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, 219},
        {SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET, 221},
        {SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH, 220},
        {SDL_SCANCODE_NONUSHASH, SDLK_HASH, 220},
        {SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, 20},
        {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, 186},
        {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, 222},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, 13},
        {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 16},
        {SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, 226},
        {SDL_SCANCODE_COMMA, SDLK_COMMA, 188},
        {SDL_SCANCODE_PERIOD, SDLK_PERIOD, 190},
        {SDL_SCANCODE_SLASH, SDLK_SLASH, 191},
        {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, 16},
        {SDL_SCANCODE_LCTRL, SDLK_LCTRL, 17},
        {SDL_SCANCODE_LGUI, SDLK_LGUI, 91},
        {SDL_SCANCODE_LALT, SDLK_LALT, 18},  // sent as a system key, never recorded
        {SDL_SCANCODE_SPACE, SDLK_SPACE, 32},
        {SDL_SCANCODE_RALT, SDLK_RALT, 18},
        {SDL_SCANCODE_RGUI, SDLK_RGUI, 92},
        {SDL_SCANCODE_APPLICATION, SDLK_APPLICATION, 93},
        {SDL_SCANCODE_RCTRL, SDLK_RCTRL, 17},
        {SDL_SCANCODE_INSERT, SDLK_INSERT, 45},
        {SDL_SCANCODE_HOME, SDLK_HOME, 36},
        {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, 33},
        {SDL_SCANCODE_DELETE, SDLK_DELETE, 46},
        {SDL_SCANCODE_END, SDLK_END, 35},
        {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, 34},
        {SDL_SCANCODE_LEFT, SDLK_LEFT, 37},
        {SDL_SCANCODE_UP, SDLK_UP, 38},
        {SDL_SCANCODE_RIGHT, SDLK_RIGHT, 39},
        {SDL_SCANCODE_DOWN, SDLK_DOWN, 40},
        {SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, 144},
        {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, 111},
        {SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, 106},
        {SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, 109},
        {SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, 107},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 13},
        {SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, 110},
    };
    rows.insert(rows.end(), others.begin(), others.end());
    return rows;
}

// The same places on other layouts: letters go with the letter, the digit
// row and the punctuation keys stay with their place.
const KeyRow otherLayouts[] = {
    {SDL_SCANCODE_0, 0x00E0, 48},             // AZERTY: a grave, the 0 key
    {SDL_SCANCODE_1, SDLK_AMPERSAND, 49},     // AZERTY: the 1 key
    {SDL_SCANCODE_Q, SDLK_a, 65},             // AZERTY: A where US has Q
    {SDL_SCANCODE_SEMICOLON, SDLK_m, 77},     // AZERTY: M beside L
    {SDL_SCANCODE_Y, SDLK_z, 90},             // QWERTZ
    {SDL_SCANCODE_LEFTBRACKET, 0x00FC, 219},  // QWERTZ: u umlaut
    {SDL_SCANCODE_MINUS, 0x00DF, 189},        // QWERTZ: sharp s
    {SDL_SCANCODE_F, 0x0430, 70},             // Russian: Cyrillic a on the F key
};

}  // namespace

TEST(KeyMap, EveryKeyGivesItsWindowsCodeOnEveryLayout)
{
    std::vector<KeyRow> rows = usKeyboard();
    rows.insert(rows.end(), std::begin(otherLayouts), std::end(otherLayouts));
    // Keys no standard keyboard has, and a symbol with no place.
    const KeyRow unknown[] = {{SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, 0},
                              {SDL_SCANCODE_MUTE, SDLK_MUTE, 0},
                              {SDL_SCANCODE_AUDIOPLAY, SDLK_AUDIOPLAY, 0},
                              {SDL_SCANCODE_UNKNOWN, 0x00E9, 0}};
    rows.insert(rows.end(), std::begin(unknown), std::end(unknown));
    for (const KeyRow& row : rows) {
        EXPECT_EQ(virtualKeyFromKey(row.position, row.symbol), row.code)
            << SDL_GetScancodeName(row.position) << " typing " << row.symbol;
    }
}
