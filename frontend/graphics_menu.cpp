// Placeholder until the Graphics menu is built.
#include "frontend/graphics_menu.h"

bool graphicsChanged = false;

void graphicsMenu() {}
