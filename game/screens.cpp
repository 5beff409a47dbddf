// The screen flags and the menu state.
#include "game/screens.h"

ScreenFlags screens;
MenuState menu;
