// Xlib's fatal I/O error handler, which would otherwise end the process at
// once with "X connection broken" and the player's files unsaved. It runs
// inside an Xlib call on the main thread, not in a signal handler, so
// ordinary file work is safe; only the display must not be touched again.
#include "platform/lost_display.h"

#include "platform/problem_log.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

void (*saveFiles)() = nullptr;
bool saving = false;

int onLostConnection(Display*)
{
    if (saveFiles != nullptr && !saving) {
        saving = true;
        saveFiles();
        reportProblem("display", "the connection to the X server was lost; the files were saved");
    }
    // Exit handlers and destructors would talk to the display that is gone.
    std::_Exit(1);
}

}  // namespace

void saveOnLostDisplay(void (*save)())
{
    saveFiles = save;
    XSetIOErrorHandler(onLostConnection);
}
