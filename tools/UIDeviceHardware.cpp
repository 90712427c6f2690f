#include "tools/UIDeviceHardware.h"

#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/device/Device.h"

namespace lumora {
namespace {

struct NameRow {
    std::string_view identifier;
    std::string_view name;
};

// Order matters only for readability: identifiers are unique.
constexpr std::array<NameRow, 39> kNames{{
    {"iPhone1,1", "iPhone 1G"},
    {"iPhone1,2", "iPhone 3G"},
    {"iPhone2,1", "iPhone 3GS"},
    {"iPhone3,1", "iPhone 4"},
    {"iPhone3,3", "Verizon iPhone 4"},
    {"iPhone4,1", "iPhone 4S"},
    {"iPhone5,1", "iPhone 5 (GSM)"},
    {"iPhone5,2", "iPhone 5 (GSM+CDMA)"},
    {"iPhone5,3", "iPhone 5c (GSM)"},
    {"iPhone5,4", "iPhone 5c (GSM+CDMA)"},
    {"iPhone6,1", "iPhone 5s (GSM)"},
    {"iPhone6,2", "iPhone 5s (GSM+CDMA)"},
    {"iPhone7,1", "iPhone 6 Plus"},
    {"iPhone7,2", "iPhone 6"},
    {"iPod1,1", "iPod Touch 1G"},
    {"iPod2,1", "iPod Touch 2G"},
    {"iPod3,1", "iPod Touch 3G"},
    {"iPod4,1", "iPod Touch 4G"},
    {"iPod5,1", "iPod Touch 5G"},
    {"iPad1,1", "iPad"},
    {"iPad2,1", "iPad 2 (WiFi)"},
    {"iPad2,2", "iPad 2 (GSM)"},
    {"iPad2,3", "iPad 2 (CDMA)"},
    {"iPad2,4", "iPad 2 (WiFi)"},
    {"iPad2,5", "iPad Mini (WiFi)"},
    {"iPad2,6", "iPad Mini (GSM)"},
    {"iPad2,7", "iPad Mini (GSM+CDMA)"},
    {"iPad3,1", "iPad 3 (WiFi)"},
    {"iPad3,2", "iPad 3 (GSM+CDMA)"},
    {"iPad3,3", "iPad 3 (GSM)"},
    {"iPad3,4", "iPad 4 (WiFi)"},
    {"iPad3,5", "iPad 4 (GSM)"},
    {"iPad3,6", "iPad 4 (GSM+CDMA)"},
    {"iPad4,1", "iPad Air (WiFi)"},
    {"iPad4,2", "iPad Air (Cellular)"},
    {"iPad4,4", "iPad mini 2G (WiFi)"},
    {"iPad4,5", "iPad mini 2G (Cellular)"},
    {"i386", "Simulator"},
    {"x86_64", "Simulator"},
}};

struct CodeRow {
    std::string_view identifier;
    float code;
};

// Single-precision codes: 0.1f is the float nearest one tenth, and so on.
constexpr std::array<CodeRow, 36> kCodes{{
    {"iPhone1,1", 1.0f}, {"iPhone1,2", 2.0f}, {"iPhone2,1", 3.0f}, {"iPhone3,1", 4.0f},
    {"iPhone3,2", 4.0f}, {"iPhone3,3", 4.0f}, {"iPhone4,1", 5.0f}, {"iPhone5,1", 6.0f},
    {"iPhone5,2", 6.0f}, {"iPhone5,3", 6.0f}, {"iPhone5,4", 6.0f}, {"iPhone6,1", 7.0f},
    {"iPhone6,2", 7.0f}, {"iPhone7,1", 8.0f}, {"iPhone7,2", 8.0f}, {"iPod1,1", 0.1f},
    {"iPod2,1", 0.2f},   {"iPod3,1", 0.3f},   {"iPod4,1", 4.4f},   {"iPod5,1", 5.5f},
    {"iPad1,1", 1.1f},   {"iPad2,1", 1.2f},   {"iPad2,2", 1.2f},   {"iPad2,3", 1.2f},
    {"iPad2,4", 1.2f},   {"iPad2,5", 2.1f},   {"iPad2,6", 2.2f},   {"iPad2,7", 2.3f},
    {"iPad3,1", 5.3f},   {"iPad3,2", 5.3f},   {"iPad3,3", 5.3f},   {"iPad3,4", 6.3f},
    {"iPad3,5", 6.3f},   {"iPad3,6", 6.3f},   {"i386", 0.0f},      {"x86_64", 0.0f},
}};

}  // namespace

std::string UIDeviceHardware::platform() {
    std::size_t size = 0;
    if (sysctlbyname("hw.machine", nullptr, &size, nullptr, 0) != 0 || size == 0) return {};
    std::vector<char> buffer(size, '\0');
    if (sysctlbyname("hw.machine", buffer.data(), &size, nullptr, 0) != 0) return {};
    // The value is NUL-terminated; never read past the buffer if it is not.
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::string UIDeviceHardware::nameForPlatform(const std::string& identifier) {
    for (const auto& row : kNames) {
        if (row.identifier == identifier) return std::string(row.name);
    }
    return identifier;
}

float UIDeviceHardware::idForPlatform(const std::string& identifier) {
    for (const auto& row : kCodes) {
        if (row.identifier == identifier) return row.code;
    }
    return 0.0f;
}

std::string UIDeviceHardware::platformString() {
    return nameForPlatform(platform());
}

float UIDeviceHardware::platformID() {
    return idForPlatform(platform());
}

}  // namespace lumora
