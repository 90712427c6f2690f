// A one-hour time lapse at a 5-second interval on the simulated iPhone 6: the self-timer engine
// arming 720 count-downs, the host taking and saving 720 photos, on the virtual clock. The wall
// time of the whole hour is what is measured.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/capture/DeviceProfile.h"
#include "sim/Locations.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/SimulatedApp.h"
#include "sim/scenario/Script.h"

namespace {

constexpr int kPhotos = 720;
// Each shot comes 5 s after the host reported the one before, 0.1 s after it was taken.
constexpr double kCadence = 5.1;

bool runLines(sim::Session& session, const std::string& lines) {
    const auto parsed = sim::parseScript(lines, "timelapse.scn");
    if (!parsed.errors.empty()) return false;
    return sim::runScript(parsed.script, session).passed();
}

void BM_OneHourTimeLapse(benchmark::State& state) {
    const auto profiles = platform::DeviceProfileRegistry::loadFolder(sim::devicesFolder());
    if (!profiles.ok()) {
        state.SkipWithError("no device profiles");
        return;
    }
    std::size_t photos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string base =
            (std::filesystem::temp_directory_path() / "lumora3-timelapse-XXXXXX").string();
        if (mkdtemp(base.data()) == nullptr) {
            state.SkipWithError("no scratch folder");
            return;
        }
        sim::SessionOptions o;
        o.outputFolder = std::filesystem::path(base) / "out";
        o.rootFolder = std::filesystem::path(base) / "root";
        o.appFactory = sim::hostAppFactory();
        std::string error;
        auto session = sim::Session::create(o, profiles.value(), error);
        if (!session || !runLines(*session,
                                  "device iphone6\nlaunch camera\nadvance 1s\ntap wrench\n"
                                  "advance 1s\ntap TimeLapseButton\nadvance 1s\n")) {
            state.SkipWithError(("set-up failed " + error).c_str());
            return;
        }
        state.ResumeTiming();
        const bool ran = runLines(
            *session, "tap dial-action\nadvance " + std::to_string(kPhotos * kCadence + 1) + "s\n");
        state.PauseTiming();
        photos = session->root().photos().size();
        if (!ran || photos != kPhotos) {
            state.SkipWithError(("photos: " + std::to_string(photos)).c_str());
        }
        session.reset();
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
        state.ResumeTiming();
    }
    state.counters["photos"] = static_cast<double>(photos);
}
BENCHMARK(BM_OneHourTimeLapse)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
