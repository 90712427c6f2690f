#pragma once
// The simulator process's own memory use, for long runs that watch for growth.

#include <optional>

namespace sim {

struct ResidentMemory {
    long currentKilobytes = 0;  // resident set now
    long peakKilobytes = 0;     // highest resident set so far
};

// From /proc/self/status; nullopt where the system does not tell.
std::optional<ResidentMemory> residentMemory();

}  // namespace sim
