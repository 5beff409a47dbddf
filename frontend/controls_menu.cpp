// Placeholder until the Controls menu is built.
#include "frontend/controls_menu.h"

void controlsMenu() {}
