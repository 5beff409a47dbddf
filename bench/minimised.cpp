// The game minimised through its platform.
#include "bench/minimised.h"

#include "bench/bench_support.h"
#include "platform/test_hooks.h"

#include <cstdio>
#include <string>

namespace {

struct MinimisedRun {
    int framesFirst = 0;
    std::string readyFile;
    int frames = 0;
    bool minimised = false;
};

MinimisedRun minimisedRun;

void minimiseWhenDue()
{
    if (minimisedRun.minimised || ++minimisedRun.frames < minimisedRun.framesFirst)
        return;
    minimisedRun.minimised = true;
    const std::string failure = testHooks::pushMinimise();
    if (!failure.empty())
        std::fprintf(stderr, "trigonix_bench: cannot push the minimise: %s\n", failure.c_str());
    if (std::FILE* ready = std::fopen(minimisedRun.readyFile.c_str(), "w"))
        std::fclose(ready);
}

}  // namespace

int runMinimised(int framesFirst, const char* readyFile)
{
    minimisedRun.framesFirst = framesFirst;
    minimisedRun.readyFile = readyFile;
    testHooks::onSwap(minimiseWhenDue);
    return runGameMain();
}
