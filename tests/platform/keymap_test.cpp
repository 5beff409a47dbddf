#include "platform/keymap.h"
#include "platform/win32.h"

#include <SDL.h>
#include <gtest/gtest.h>

TEST(KeyMap, LettersGiveTheirCapitalCodes)
{
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(virtualKeyFromKeycode(SDLK_a + i), 65 + i) << char('a' + i);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_s), 83);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_t), 84);
}

TEST(KeyMap, DigitsOfTheMainRowGiveTheirCharacterCodes)
{
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(virtualKeyFromKeycode(SDLK_0 + i), 48 + i) << i;
}

TEST(KeyMap, KeypadDigitsGiveTheNumpadCodes)
{
    const SDL_Keycode keypad[10] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                    SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(virtualKeyFromKeycode(keypad[i]), 96 + i) << i;
}

TEST(KeyMap, FunctionKeysGiveOneHundredTwelveToOneHundredTwentyThree)
{
    const SDL_Keycode function[12] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4, SDLK_F5,  SDLK_F6,
                                      SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(virtualKeyFromKeycode(function[i]), 112 + i) << "F" << i + 1;
}

TEST(KeyMap, EditingAndNavigationKeysGiveTheirCodes)
{
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_SPACE), 32);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_RETURN), 13);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_KP_ENTER), 13);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_ESCAPE), 27);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_BACKSPACE), 8);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_TAB), 9);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_DELETE), 46);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_INSERT), 45);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_HOME), 36);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_END), 35);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_PAGEUP), 33);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_PAGEDOWN), 34);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_LEFT), 37);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_UP), 38);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_RIGHT), 39);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_DOWN), 40);
}

TEST(KeyMap, BothShiftsAndBothControlsShareOneCode)
{
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_LSHIFT), 16);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_RSHIFT), 16);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_LCTRL), 17);
    EXPECT_EQ(virtualKeyFromKeycode(SDLK_RCTRL), 17);
}

TEST(KeyMap, KeysTheGameDoesNotKnowGiveNoCode)
{
    const SDL_Keycode unknown[] = {SDLK_UNKNOWN, SDLK_LALT,     SDLK_RALT,   SDLK_LGUI,
                                   SDLK_CAPSLOCK, SDLK_F13,     SDLK_MINUS,  SDLK_COMMA,
                                   SDLK_KP_PLUS, SDLK_PRINTSCREEN, SDLK_MENU, SDLK_AUDIOPLAY,
                                   0x00E9 /* e acute */};
    for (SDL_Keycode key : unknown)
        EXPECT_EQ(virtualKeyFromKeycode(key), 0) << SDL_GetKeyName(key);
}
