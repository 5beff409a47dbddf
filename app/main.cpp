// The program's entry: the game starts in WinMain, as it always has.
#include "app/win_main.h"
#include "platform/quit_signals.h"

#include <cstdio>

int main()
{
    // Before anything else: a logout during start-up still saves.
    catchQuitSignals();
    if (const char* why = platformDisplayError()) {
        std::fprintf(stderr, "trigonix: %s\n", why);
        return 1;
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
}
