// The cursor display counter, kept in step with the system's own.
#include "platform/cursor.h"

#include "platform/hook_targets.h"
#include "platform/windows/system.h"

namespace {

int cursorCount = 0;

}  // namespace

int ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    sys::showCursor(show != FALSE);
    return cursorCount;
}

int cursorDisplayCount() { return cursorCount; }
