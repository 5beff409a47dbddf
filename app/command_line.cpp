// The command line: --help and --version for whoever finds the game in a
// terminal or a package, --verify-replay for a best run's replay; anything
// else is refused with the usage line.
#include "app/command_line.h"

#include "race/race_types.h"
#include "race/replay_file.h"
#include "race/replay_run.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const usage = "usage: trigonix [--help | --version | --verify-replay FILE]\n";

const char* const help = "Trigonix, a small 3-D arcade game: steer your ship through streams of\n"
                         "coloured shapes. Started without arguments, it opens its window.\n"
                         "\n"
                         "  --help                show this help and exit\n"
                         "  --version             show the version and exit\n"
                         "  --verify-replay FILE  run a best run's replay (.tgr) again without a\n"
                         "                        window; exit 0 when it reaches the best stored\n"
                         "                        with it\n"
                         "\n"
                         "The controls, files and environment are in the manual: man 6 trigonix\n";

// Runs the replay to its end without a window or a sound, as fast as the
// machine goes: 0 when it reaches the best stored with it, 1 when not, 2
// when the file is refused.
int verifyReplay(const char* path)
{
    Replay replay;
    const std::string why = readReplayFile(path, replay);
    if (!why.empty()) {
        std::fprintf(stderr, "trigonix: %s: not a replay the game can run: %s\n", path,
                     why.c_str());
        return 2;
    }
    const ReplayCheck check = checkReplay(replay);
    const bool holds = replayHolds(replay, check);
    std::printf("%s: a %s race of %u frames, run again: shown score %d, "
                "best stored with it %d: %s\n",
                path, raceTypeFacts(replay.start.raceType)->name, check.frames, check.score,
                replay.best,
                holds               ? "match"
                : check.endedAsBest ? "no match"
                                    : "no match (it did not end as a new best on its last frame)");
    return holds ? 0 : 1;
}

}  // namespace

int answerCommandLine(int argc, char** argv)
{
    if (argc <= 1)
        return -1;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        std::fputs(help, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("trigonix " TRIGONIX_VERSION "\n", stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--verify-replay") == 0)
        return verifyReplay(argv[2]);
    std::fputs(usage, stderr);
    return 2;
}
