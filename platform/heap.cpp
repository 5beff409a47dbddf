// Freed memory kept for reuse, and given back when a window goes.
#include "platform/heap.h"

#include <malloc.h>

namespace {

// Up to this much freed memory stays with the process, and allocations
// below it come from the heap, where freed memory is reused.
constexpr int keptBytes = 32 * 1024 * 1024;

}  // namespace

void keepFreedMemory()
{
    // Mesa's software renderer allocates and frees a few hundred kilobytes
    // for every string of text it draws. glibc would give that back to the
    // system at each free and fault it in again page by page at the next
    // allocation, a fifth of a millisecond a string; kept, it is reused.
    mallopt(M_TRIM_THRESHOLD, keptBytes);
    mallopt(M_MMAP_THRESHOLD, keptBytes);
}

void giveBackFreedMemory() { malloc_trim(0); }
