// How the process keeps the memory it frees.
#pragma once

// Freed memory stays with the process for the next allocation instead of
// going back to the system at every free.
void keepFreedMemory();

// Gives what is free back to the system now, wherever it lies in the heap.
// For the rare moments that free megabytes at once (a window's buffers):
// kept, they would scatter among the small blocks allocated since and the
// heap would only grow.
void giveBackFreedMemory();
