#pragma once
// Device information of the simulated phone: the hardware model, the screen, the interface
// idiom and the orientation. The simulator configures it once per device profile; the classes
// below answer from that configuration.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/geometry/Geometry.h"

namespace platform {

struct DeviceConfig {
    std::string modelIdentifier = "iPhone7,2";  // what "hw.machine" reports
    std::string model = "iPhone";               // UIDevice model ("iPhone", "iPad", "iPod touch")
    CGRect screenBounds = CGRectMake(0, 0, 375, 667);  // portrait, in points
    std::optional<CGRect> zoomedBounds;                // set when display zoom is on
    CGFloat scale = 2;
    int idiom = 0;  // 0 phone, 1 pad
};

class Device {
public:
    static void configure(const DeviceConfig& config);
    static const DeviceConfig& config();
    // Back to the default configuration and portrait orientation.
    static void reset();
};

}  // namespace platform

// Copies the named value into `buf`. With a null `buf` only the length is stored in `*len`.
// Answers "hw.machine" (the model identifier, NUL-terminated). Returns 0 on success and -1 with
// errno set otherwise: ENOENT for an unknown name, EINVAL for a null name or `len`, ENOMEM for a
// buffer too small (nothing is written), EPERM when a new value is given.
int sysctlbyname(const char* name, void* buf, std::size_t* len, void* newValue,
                 std::size_t newLength);
