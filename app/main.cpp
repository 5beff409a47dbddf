// The program's entry: the game starts in WinMain, as it always has.
#include "app/win_main.h"

#include <cstdio>

int main()
{
    if (const char* why = platformDisplayError()) {
        std::fprintf(stderr, "trigonix: %s\n", why);
        return 1;
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
}
