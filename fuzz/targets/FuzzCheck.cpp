#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

namespace lumora::fuzz {

void fuzzCheck(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

}  // namespace lumora::fuzz
