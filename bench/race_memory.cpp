// Peak resident memory of a full race.
#include "bench/race_memory.h"

#include "app/game_window.h"
#include "bench/bench_support.h"
#include "bench/race_driver.h"
#include "game/screens.h"
#include "platform/messages.h"
#include "platform/test_hooks.h"
#include "race/race.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int titleFrames = 30;
constexpr int framesAfterTheEnd = 120;
// However the race goes, the run ends here.
constexpr int mostRaceFrames = 20000;

// Where the resident pages are, as the kernel counts them.
struct MemoryBreakdown {
    double anonymousKib = 0.0;  // the heap, stacks, the renderer's buffers
    double fileKib = 0.0;       // code and data of the program and its libraries
    double llvmKib = 0.0;       // of those, the software renderer's LLVM
    double driverKib = 0.0;     // and the Mesa driver itself
    double residentKib = 0.0;
};

double statusKib(const std::string& status, const char* field)
{
    const std::size_t at = status.find(field);
    return at == std::string::npos ? 0.0 : std::atof(status.c_str() + at + std::strlen(field));
}

MemoryBreakdown measureBreakdown()
{
    MemoryBreakdown breakdown;
    std::ifstream statusFile("/proc/self/status");
    const std::string status((std::istreambuf_iterator<char>(statusFile)),
                             std::istreambuf_iterator<char>());
    breakdown.residentKib = statusKib(status, "VmRSS:");
    breakdown.anonymousKib = statusKib(status, "RssAnon:");
    breakdown.fileKib = statusKib(status, "RssFile:") + statusKib(status, "RssShmem:");
    std::ifstream maps("/proc/self/smaps");
    std::string line;
    std::string mapping;
    while (std::getline(maps, line)) {
        if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
            line.find('-') != std::string::npos && line.find(':') > line.find(' ')) {
            mapping = line;
            continue;
        }
        if (line.rfind("Rss:", 0) != 0)
            continue;
        const double kib = std::atof(line.c_str() + 4);
        if (mapping.find("libLLVM") != std::string::npos)
            breakdown.llvmKib += kib;
        else if (mapping.find("_dri.so") != std::string::npos)
            breakdown.driverKib += kib;
    }
    return breakdown;
}

struct MemoryRun {
    SimulatedClock clock;
    RaceDriver driver{RaceType::LONG};
    int frame = 0;
    int raceStartFrame = -1;
    int raceEndFrame = -1;
    bool won = false;
    bool closing = false;
    MemoryBreakdown atRaceEnd;
};

MemoryRun run;

void post(UINT message, WPARAM wParam) { PostMessageA(gameWindow.window, message, wParam, 0); }

// Between two frames of the real main loop: what the player does next.
void afterSwap()
{
    run.clock.frameDone();
    ++run.frame;
    if (run.closing)
        return;
    if (run.frame < titleFrames) {
        post(WM_MOUSEMOVE, 0);
        return;
    }
    if (run.frame == titleFrames) {
        // SINGLE PLAYER, the first row, chosen with Enter.
        menu.currentItem = 1;
        post(WM_KEYDOWN, VK_RETURN);
        return;
    }
    if (run.frame == titleFrames + 1) {
        post(WM_KEYUP, VK_RETURN);
        run.raceStartFrame = run.frame;
        return;
    }
    if (run.raceEndFrame < 0) {
        run.driver.afterFrame();
        if (run.driver.raceOver() || run.frame - run.raceStartFrame > mostRaceFrames) {
            run.raceEndFrame = run.frame;
            run.won = race.barLevel > race.barTarget;
            run.atRaceEnd = measureBreakdown();
            run.driver.stop();
            return;
        }
        run.driver.beforeFrame();
        return;
    }
    if (run.frame - run.raceEndFrame >= framesAfterTheEnd) {
        run.closing = true;
        post(WM_CLOSE, 0);
    }
}

}  // namespace

std::string measureRaceMemory()
{
    // 1024 x 768, LONG, sky on, sound on.
    enterGameFolder(settingsFileText(3, RaceType::LONG, true, true), scoresFileText());
    run.driver.keepBarRunning = false;
    run.driver.dodge = true;
    run.clock.start(60);
    testHooks::setFramePacing(false);
    testHooks::onSwap(afterSwap);
    const int status = runGameMain();
    testHooks::onSwap(nullptr);
    leaveGameFolder();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    JsonObject result;
    result.add("exit_status", status);
    result.add("peak_rss_kib", static_cast<double>(usage.ru_maxrss));
    result.add("peak_rss_mib", static_cast<double>(usage.ru_maxrss) / 1024.0);
    result.add("rss_at_race_end_kib", run.atRaceEnd.residentKib);
    result.add("anonymous_at_race_end_kib", run.atRaceEnd.anonymousKib);
    result.add("file_backed_at_race_end_kib", run.atRaceEnd.fileKib);
    result.add("llvm_at_race_end_kib", run.atRaceEnd.llvmKib);
    result.add("mesa_driver_at_race_end_kib", run.atRaceEnd.driverKib);
    result.add("frames", run.frame);
    result.add("race_frames", run.raceEndFrame - run.raceStartFrame);
    result.add("race_won", run.won ? 1.0 : 0.0);
    result.add("race_score", shownScore());
    result.add("contact_frames", run.driver.contactFrames);
    result.add("bombs_dropped", run.driver.bombsDropped);
    return result.close();
}
