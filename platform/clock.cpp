// Placeholder until the platform layer is built.
#include "platform/clock.h"

std::time_t platformTime() { return std::time(nullptr); }
