// The program's entry: the game starts in WinMain, as it always has.
#include "app/command_line.h"
#include "app/win_main.h"
#include "platform/game_files.h"
#include "platform/problem_log.h"
#include "platform/quit_signals.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (int status = answerCommandLine(argc, argv); status >= 0)
        return status;
    // Before anything else: a logout during start-up still saves.
    catchQuitSignals();
    if (const char* why = platformDisplayError()) {
        std::fprintf(stderr, "trigonix: %s\n", why);
        return 1;
    }
    // Chosen before any file is opened: an installed game's files come
    // from the install and the player's own folders, made here.
    chooseGameFolders(installedFolder());
    startProblemLog();
    preparePlayerFiles();
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
}
