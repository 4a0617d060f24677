#include "window/memory_reuse.h"

#include <malloc.h>

namespace quorvel {

void keepFreedMemoryForReuse()
{
    // By default glibc hands out big blocks (a window's picture, a page's rendering: a few MiB) as
    // fresh mappings and gives freed memory back at once, and it moves both limits by what the
    // program has freed so far. Every action that draws then paid for touching new pages again,
    // more or less depending on what had been opened before (a hundred microseconds to a few ms
    // on a virtual machine). With the limits fixed where glibc would end up anyway, memory is
    // reused and an action costs the same whatever came before it.
    constexpr int mappedFrom = 32 * 1024 * 1024; // glibc's own upper bound for that limit
    mallopt(M_MMAP_THRESHOLD, mappedFrom);
    mallopt(M_TRIM_THRESHOLD, 2 * mappedFrom);
    // Pictures are drawn on other threads and mostly freed on this one; with an arena of its own,
    // each drawing thread would keep as much again (peak with every screen open 106 MB, not 78).
    mallopt(M_ARENA_MAX, 1);
}

} // namespace quorvel
