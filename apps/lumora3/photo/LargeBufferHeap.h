#pragma once
// Where the photo tool's large buffers live. A photo passes through a few buffers of its file's
// size (the file, its scan data, the rewritten file); on their own, glibc maps each one afresh
// and every 4 KB page then costs a page fault on first touch, which on a virtual machine is
// most of the time spent on a photo. Instead they come from the main heap, which is grown once
// and marked for transparent huge pages, and which keeps what a photo freed for the next one.

#include <cstddef>

namespace lumora::phototool {

// Sets the heap up for buffers of up to `bytes` in all (a few times a photo's size). Call
// once, before any worker starts; a no-op where the allocator is not glibc's.
void keepLargeBuffersOnHeap(std::size_t bytes);

}  // namespace lumora::phototool
