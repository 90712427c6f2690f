#include "apps/lumora3/photo/LargeBufferHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace lumora::phototool {

void keepLargeBuffersOnHeap(std::size_t bytes) {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // No buffer in a mapping of its own, and no heap ever trimmed: what one photo freed is
    // there, already faulted in, for the next. (Workers' threads have heaps of their own,
    // which the first photo of each fills.)
    if (mallopt(M_MMAP_THRESHOLD, 1 << 30) == 0 || mallopt(M_TRIM_THRESHOLD, 1 << 30) == 0) return;
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // The main heap (a single photo is rewritten on the main thread) is grown once, touching
    // none of its pages, and marked for huge pages.
    void* grow = std::malloc(bytes);
    if (!grow) return;
    std::free(grow);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    constexpr std::uintptr_t kHuge = 2u << 20;
    const std::uintptr_t from = (before + kHuge - 1) & ~(kHuge - 1), to = after & ~(kHuge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)bytes;
#endif
}

}  // namespace lumora::phototool
