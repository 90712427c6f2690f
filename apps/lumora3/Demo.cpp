#include "apps/lumora3/Demo.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "apps/lumora3/ScenarioRunner.h"
#include "core/Preferences.h"
#include "sim/DeviceRoot.h"
#include "sim/Locations.h"

namespace fs = std::filesystem;

namespace {

// What one scenario of the tour left behind: screenshots, other outputs, photos, log, settings.
void printOutputs(const ScenarioRunResult& r) {
    std::error_code ec;
    std::printf("\nOutput folder: %s\n", fs::absolute(r.folder, ec).c_str());
    std::printf("Screenshots:\n");
    for (const auto& path : r.report.outputs) {
        if (path.extension() == ".png") std::printf("  %s\n", fs::absolute(path, ec).c_str());
    }
    std::printf("Other outputs:\n");
    for (const auto& path : r.report.outputs) {
        if (path.extension() != ".png") std::printf("  %s\n", fs::absolute(path, ec).c_str());
    }
    std::printf("Photos saved (%s):\n", (r.root / "var/mobile/Media/DCIM").c_str());
    std::vector<fs::path> photos;
    for (auto it = fs::recursive_directory_iterator(r.root / "var/mobile/Media/DCIM", ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec)) photos.push_back(it->path());
    }
    std::sort(photos.begin(), photos.end());
    for (const auto& photo : photos) std::printf("  %s\n", photo.c_str());
    if (photos.empty()) std::printf("  (none)\n");
    std::printf("Event log: %s\n", fs::absolute(r.folder / "events.log", ec).c_str());
    const fs::path prefs = r.root / "var/mobile/Library/Preferences" / lumora::kPreferencesFileName;
    std::printf("Preferences file: %s%s\n", prefs.c_str(),
                fs::exists(prefs, ec) ? "" : " (not written)");
    std::printf("Device root: %s\n", r.root.c_str());
}

}  // namespace

// The tour: scenarios/tour.scn, then each scenarios/tour-*.scn (one feature's scenes each).
int runDemo() {
    const fs::path scenarios = sim::scenariosFolder();
    const fs::path tour = scenarios / "tour.scn";
    std::error_code ec;
    if (scenarios.empty() || !fs::is_regular_file(tour, ec)) {
        std::fprintf(stderr,
                     "lumora3 demo: cannot find scenarios/tour.scn; run from the source "
                     "tree or set LUMORA_SCENARIOS_DIR\n");
        return 2;
    }
    std::vector<std::string> files{tour.string()};
    std::vector<std::string> parts;
    for (const auto& entry : fs::directory_iterator(scenarios, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("tour-", 0) == 0 && entry.path().extension() == ".scn")
            parts.push_back(entry.path().string());
    }
    std::sort(parts.begin(), parts.end());
    files.insert(files.end(), parts.begin(), parts.end());
    std::printf("Lumora3 tour: %s\n", tour.c_str());
    ScenarioRunOptions options;
    options.out = "out";
    std::vector<ScenarioRunResult> results;
    const int status = runScenarioFiles(files, options, &results);
    if (results.empty()) return status == 0 ? 2 : status;
    for (const ScenarioRunResult& r : results) printOutputs(r);
    return status;
}
