// The Graphics menu: resolution, full screen and sky, applied on BACK.
#pragma once

// A change is waiting that needs a new window.
extern bool graphicsChanged;

void graphicsMenu();
