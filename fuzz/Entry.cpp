// The libFuzzer entry point of one target; LUMORA_FUZZ_FUNCTION names it (set per executable).

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumora::fuzz::LUMORA_FUZZ_FUNCTION(data, size);
    return 0;
}
