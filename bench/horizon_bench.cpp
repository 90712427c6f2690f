// One hour of virtual time on the simulated iPhone 6 with the horizon level switched on: device
// motion at 60 Hz, every sample turning the needle and re-lighting the views, the phone swaying
// across the level window every 30 s. Wall time per hour of virtual time is the figure.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "camerabar/HorizonAlignment.h"
#include "sim/Profiles.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/scenario/Script.h"

namespace {

constexpr const char* kHour = R"(device iphone6
prefs set ENABLED true
prefs set showHorizonAlignment true
launch camera
advance 1s
tap horizon-button
advance 1s
expect view horizon-base highlighted
repeat 60
  tilt 0.3
  advance 30s
  tilt 2
  advance 30s
end
tilt 0
advance 1s
expect view horizon-base highlighted
)";

void BM_HorizonHour(benchmark::State& state) {
    const auto parsed = sim::parseScript(kHour, "horizon-hour.scn");
    if (!parsed.errors.empty()) {
        state.SkipWithError("the scenario does not parse");
        return;
    }
    std::string error;
    const auto* profiles = sim::defaultProfiles(error);
    if (profiles == nullptr) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / "lumora-bench-horizon";
    double samples = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(out);
        sim::SessionOptions options;
        options.outputFolder = out;
        options.rootFolder = out / "device";
        auto session = sim::Session::create(std::move(options), *profiles, error);
        if (!session) {
            state.SkipWithError(error.c_str());
            return;
        }
        const auto before = lumora::horizonSamplesApplied();
        state.ResumeTiming();
        const sim::RunReport report = sim::runScript(parsed.script, *session);
        state.PauseTiming();
        samples = static_cast<double>(lumora::horizonSamplesApplied() - before);
        if (!report.passed()) state.SkipWithError("an expectation failed");
        session.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(out);
    state.counters["needle_samples"] = samples;
}
BENCHMARK(BM_HorizonHour)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
