// The benchmark program. bench/run.sh runs each part in a process of its
// own, under a private X server, and gathers the JSON files it writes.
//
//     trigonix_bench frames OUT.json W H [FRAMES]   frame cost in a W x H window
//     trigonix_bench pace OUT.json                  race pace at 30 to 240 frames a second
//     trigonix_bench startup OUT.json [RUNS]        exec to first swapped frame
//     trigonix_bench memory OUT.json                peak resident size of a full race
//     trigonix_bench minimised READY_FILE           the game minimised, until killed
#include "bench/bench_support.h"
#include "bench/frame_cost.h"
#include "bench/minimised.h"
#include "bench/pace.h"
#include "bench/race_memory.h"
#include "bench/startup.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int defaultFrames = 2000;
constexpr int defaultStartupRuns = 15;
constexpr int framesBeforeMinimising = 120;

int usage()
{
    std::fprintf(stderr, "usage: trigonix_bench frames OUT.json WIDTH HEIGHT [FRAMES]\n"
                         "       trigonix_bench pace|memory OUT.json\n"
                         "       trigonix_bench startup OUT.json [RUNS]\n"
                         "       trigonix_bench minimised READY_FILE\n");
    return 2;
}

int count(int argc, char** argv, int fallback)
{
    return argc > 3 ? std::max(1, std::atoi(argv[3])) : fallback;
}

// Frames drawn as fast as they go, no message boxes left waiting.
void measuringPlatform()
{
    testHooks::setFramePacing(false);
    testHooks::answerMessageBoxes([](const MessageBoxRecord& box) {
        std::fprintf(stderr, "trigonix_bench: message box \"%s\": %s\n", box.caption.c_str(),
                     box.text.c_str());
        return (box.style & MB_YESNO) ? IDYES : IDOK;
    });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string mode = argv[1];
    if (mode == "startup-child")
        return startupChild();
    if (argc < 3)
        return usage();
    if (mode == "minimised")
        return runMinimised(framesBeforeMinimising, argv[2]);

    const std::string out = argv[2];
    if (mode == "frames") {
        // One size per process: the game runs in the first rendering
        // context of its process, and so is it measured.
        if (argc < 5)
            return usage();
        const int width = std::atoi(argv[3]);
        const int height = std::atoi(argv[4]);
        const int frames = argc > 5 ? std::max(1, std::atoi(argv[5])) : defaultFrames;
        measuringPlatform();
        enterGameFolder(settingsFileText(2, 1, true, false), scoresFileText());
        const std::string result = measureFrameCosts(width, height, frames);
        leaveGameFolder();
        return writeTextFile(out, result) ? 0 : 1;
    }
    if (mode == "pace") {
        measuringPlatform();
        enterGameFolder(settingsFileText(2, 1, false, false), scoresFileText());
        const std::string list = measurePace({30, 60, 120, 144, 240});
        leaveGameFolder();
        return writeTextFile(out, list) ? 0 : 1;
    }
    if (mode == "startup")
        return writeTextFile(out, measureStartup(count(argc, argv, defaultStartupRuns))) ? 0 : 1;
    if (mode == "memory") {
        measuringPlatform();
        return writeTextFile(out, measureRaceMemory()) ? 0 : 1;
    }
    return usage();
}
