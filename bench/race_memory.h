// Peak memory: the game's own main loop plays a whole LONG race at
// 1024 x 768 with sound on, from the title to its result (and name entry),
// then closes; the peak resident size of the process is read afterwards.
#pragma once

#include <string>

// Runs in a process of its own (the caller forks or runs this program);
// returns the JSON result.
std::string measureRaceMemory();
