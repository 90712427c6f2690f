#pragma once
// The device's hardware model: the raw identifier ("iPhone7,2"), its display name ("iPhone 6")
// that the capture-format rules compare against, and a numeric model code.

#include <string>

namespace lumora {

class UIDeviceHardware {
public:
    UIDeviceHardware() = delete;

    // The identifier the system reports for "hw.machine", asked anew on every call; empty when
    // the query fails.
    static std::string platform();
    // The display name, or the identifier itself for a model the name table does not hold.
    static std::string platformString();
    // The numeric model code; 0 for a model the code table does not hold.
    static float platformID();

    // The same mappings for a given identifier (exact, case-sensitive comparison).
    static std::string nameForPlatform(const std::string& identifier);
    static float idForPlatform(const std::string& identifier);
};

}  // namespace lumora
