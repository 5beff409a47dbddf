// Windows keeps its desktop for as long as the session lasts; what can go
// away under the game is the session itself, whose WM_ENDSESSION does not
// wait for the game's own teardown: the files are saved there.
#include "platform/lost_display.h"

#include "platform/problem_log.h"
#include "platform/windows/session.h"

namespace {

void (*saveFiles)() = nullptr;
bool saved = false;

}  // namespace

void saveOnLostDisplay(void (*save)()) { saveFiles = save; }

void saveBeforeSessionEnds()
{
    if (saveFiles == nullptr || saved)
        return;
    saved = true;
    saveFiles();
    logProblem("session", "the session ended under the game; the files were saved");
}
