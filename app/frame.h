// One frame: the global keys, the routing to name entry, the front end or
// the race, the requests the screens made of the window, and the
// frame-rate compensation every movement is scaled by.
#pragma once

// Draws and advances one frame; the main loop swaps buffers after it.
int drawScene();
