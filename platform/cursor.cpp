// The cursor display counter: the front end pulls it up, the race down.
#include "platform/cursor.h"

#include "platform/platform_state.h"

#include <SDL.h>

namespace {

int cursorCount = 0;

}  // namespace

int ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    // Without video there is no cursor to show; the counter still counts.
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

int cursorDisplayCount() { return cursorCount; }
