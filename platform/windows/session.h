// The session ending under the game: a console's close, logoff or shutdown
// event, Ctrl+C, or the desktop's WM_QUERYENDSESSION. Each ends the game as
// the window's close does; the WM_ENDSESSION that follows may not wait for
// that, so the player's files are saved there and then.
#pragma once

// The session asks the game to end: the game window hears WM_CLOSE.
void noteSessionEnding();
// The session ends now: the files are saved before the call returns.
void saveBeforeSessionEnds();
