#include "apps/lumora3/Devices.h"

#include <cstdio>
#include <string>

#include "sim/Profiles.h"

namespace {

std::string fourCC(FourCharCode code) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((code >> shift) & 0xff);
    return s;
}

void printCamera(const char* name, const platform::CameraProfile& camera) {
    std::printf("  %s camera: stills %dx%d, f/%.1f, focus %s\n", name, camera.stillSize.width,
                camera.stillSize.height, camera.aperture, camera.autoFocusSystem.c_str());
    for (const auto& f : camera.formats) {
        std::string rates;
        for (const auto& [lo, hi] : f.frameRateRanges) {
            if (!rates.empty()) rates += ", ";
            rates +=
                std::to_string(static_cast<int>(lo)) + "-" + std::to_string(static_cast<int>(hi));
        }
        std::string pixels;
        for (const auto p : f.pixelFormats) pixels += (pixels.empty() ? "" : "/") + fourCC(p);
        const std::string size =
            std::to_string(f.dimensions.width) + "x" + std::to_string(f.dimensions.height);
        std::printf("    %-10s %-9s fps  ISO %4.0f-%-4.0f  %s\n", size.c_str(), rates.c_str(),
                    f.minISO, f.maxISO, pixels.c_str());
    }
}

}  // namespace

int listDevices() {
    std::string error;
    const auto* profiles = sim::defaultProfiles(error);
    if (profiles == nullptr) {
        std::fprintf(stderr, "lumora3 devices: %s\n", error.c_str());
        return 2;
    }
    for (const auto& p : profiles->all()) {
        std::printf("%-12s %-10s %s, %s screen %.0fx%.0f @%.0fx\n", p.shortName.c_str(),
                    p.modelIdentifier.c_str(), p.name.c_str(), p.idiom == 1 ? "tablet" : "phone",
                    p.screenSize.width, p.screenSize.height, p.scale);
        if (p.back) printCamera("back", *p.back);
        if (p.front) printCamera("front", *p.front);
    }
    return 0;
}
