// The command line: --help and --version for whoever finds the game in a
// terminal or a package; anything else is refused with the usage line.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const usage = "usage: trigonix [--help | --version]\n";

const char* const help =
    "Trigonix, a small 3-D arcade game: steer your ship through streams of\n"
    "coloured shapes. Started without arguments, it opens its window.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "The controls, files and environment are in the manual: man 6 trigonix\n";

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
    std::fputs(usage, stderr);
    return 2;
}
