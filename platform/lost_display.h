// The X server going away under the game (the session ended before the
// game was told, or the server died): there is no window left to tear
// down, but the player's files can still be saved.
#pragma once

// `save` writes the player's files. When the connection to the display is
// lost it runs once, on the thread that found out, and the process then
// ends with status 1 without touching the display again.
void saveOnLostDisplay(void (*save)());
