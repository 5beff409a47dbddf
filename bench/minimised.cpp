// The game minimised through its platform.
#include "bench/minimised.h"

#include "bench/bench_support.h"
#include "platform/test_hooks.h"

#include <SDL.h>

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
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_MINIMIZED;
    event.window.windowID = window != nullptr ? SDL_GetWindowID(window) : 0;
    if (SDL_PushEvent(&event) < 0)
        std::fprintf(stderr, "trigonix_bench: cannot push the minimise: %s\n", SDL_GetError());
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
