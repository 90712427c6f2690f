#include "sim/ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace sim {

std::optional<ResidentMemory> residentMemory() {
    std::ifstream status("/proc/self/status");
    if (!status) return std::nullopt;
    ResidentMemory memory;
    bool current = false, peak = false;
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream words(line);
        std::string name;
        long kilobytes = 0;
        if (!(words >> name >> kilobytes)) continue;
        if (name == "VmRSS:") {
            memory.currentKilobytes = kilobytes;
            current = true;
        } else if (name == "VmHWM:") {
            memory.peakKilobytes = kilobytes;
            peak = true;
        }
    }
    if (!current || !peak) return std::nullopt;
    return memory;
}

}  // namespace sim
