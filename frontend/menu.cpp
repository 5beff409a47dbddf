// Placeholder until the menus are built: the front end draws nothing yet.
#include "frontend/menu.h"

void frontEndFrame() {}
void runScreenBlocksFromOptions() {}
