// Wall-clock seconds, as the C library's time() gives them, unless a test
// has fixed the clock.
#pragma once

#include <ctime>

std::time_t platformTime();
