// Time from exec to the first swapped frame.
#include "bench/startup.h"

#include "bench/bench_support.h"
#include "game/app_state.h"
#include "platform/test_hooks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* stampVariable = "TRIGONIX_BENCH_EXEC_NS";

struct StartupRecord {
    std::int64_t execAt = 0;
    std::int64_t mainAt = 0;
    bool swapped = false;
};

StartupRecord startup;

double milliseconds(std::int64_t from, std::int64_t to)
{
    return static_cast<double>(to - from) / 1e6;
}

// One run: fork, stamp, exec; the child's one line of output is read back.
bool runOnce(const char* self, double& toMain, double& toFirstSwap)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const std::string stamp = std::to_string(monotonicNanoseconds());
        setenv(stampVariable, stamp.c_str(), 1);
        execl(self, self, "startup-child", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return std::sscanf(output.c_str(), "startup %lf %lf", &toMain, &toFirstSwap) == 2;
}

std::string summaryJson(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    JsonObject object;
    if (values.empty())
        return object.close();
    object.add("runs", static_cast<double>(values.size()));
    object.add("median_ms", values[values.size() / 2]);
    object.add("min_ms", values.front());
    object.add("max_ms", values.back());
    return object.close();
}

}  // namespace

std::string measureStartup(int runs)
{
    // This very program, whatever folder it is run from.
    std::error_code error;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const char* self = program.c_str();
    // The player's first start: default settings (a 640 x 480 window, sound
    // on, so the title sound starts before the window opens).
    enterGameFolder(settingsFileText(2, 1, true, true), scoresFileText());
    std::vector<double> toMain;
    std::vector<double> toFirstSwap;
    // One run unmeasured: the first start after a build reads everything
    // from disk.
    double ignoredMain = 0.0;
    double ignoredSwap = 0.0;
    runOnce(self, ignoredMain, ignoredSwap);
    for (int run = 0; run < runs; ++run) {
        double mainMs = 0.0;
        double swapMs = 0.0;
        if (!runOnce(self, mainMs, swapMs)) {
            std::fprintf(stderr, "trigonix_bench: a start-up run failed\n");
            continue;
        }
        toMain.push_back(mainMs);
        toFirstSwap.push_back(swapMs);
    }
    leaveGameFolder();

    JsonObject result;
    result.addRaw("exec_to_main", summaryJson(toMain));
    result.addRaw("exec_to_first_swap", summaryJson(toFirstSwap));
    return result.close();
}

int startupChild()
{
    startup.mainAt = monotonicNanoseconds();
    const char* stamp = std::getenv(stampVariable);
    startup.execAt = stamp != nullptr ? std::atoll(stamp) : startup.mainAt;
    testHooks::onSwap([] {
        if (startup.swapped)
            return;
        startup.swapped = true;
        const std::int64_t now = monotonicNanoseconds();
        std::printf("startup %.3f %.3f\n", milliseconds(startup.execAt, startup.mainAt),
                    milliseconds(startup.execAt, now));
        std::fflush(stdout);
        // Done: the loop ends at its next test and the game closes normally.
        app.quitRequested = true;
    });
    return runGameMain();
}
