// The record of what the game's top carries out for the screens.
#include "game/app_state.h"

AppState app;
