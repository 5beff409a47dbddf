// How the process keeps the memory it frees.
#pragma once

// Freed memory stays with the process for the next allocation instead of
// going back to the system at every free.
void keepFreedMemory();
