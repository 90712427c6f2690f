// One screenshot of an iPhone 6 screen (750 x 1334 pixels) with the camera bar open over the
// preview and its blurred strip: the simulated camera app with the add-on injected.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <memory>
#include <string>

#include "core/CameraBarLifecycle.h"
#include "core/TweakState.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIWindow.h"
#include "sim/Profiles.h"
#include "sim/Session.h"

namespace {

struct OpenBar {
    std::unique_ptr<sim::Session> session;
    std::filesystem::path folder;

    bool start(std::string& error) {
        const auto* profiles = sim::defaultProfiles(error);
        if (profiles == nullptr) return false;
        folder = std::filesystem::temp_directory_path() /
                 ("lumora-camerabar-bench-" + std::to_string(::getpid()));
        sim::SessionOptions options;
        options.outputFolder = folder / "out";
        options.rootFolder = folder / "device";
        options.model = "iphone6";
        session = sim::Session::create(options, *profiles, error);
        if (!session || !session->launch(sim::AppKind::Camera, error)) return false;
        session->advance(1);
        lumora::toggleCameraButtonArray(1);
        session->advance(0.5);
        if (!lumora::state().showingButtonArray || !lumora::state().blurButtonBar) {
            error = "the camera bar did not open with its blur";
            return false;
        }
        return true;
    }
    ~OpenBar() {
        session.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void BM_ScreenWithCameraBarOpen(benchmark::State& state) {
    OpenBar bar;
    std::string error;
    if (!bar.start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto window = bar.session->window();
    std::size_t pixels = 0;
    for (auto _ : state) {
        auto bitmap = platform::ScreenRenderer::render(*window);
        pixels = static_cast<std::size_t>(bitmap->pixelWidth()) * bitmap->pixelHeight();
        benchmark::DoNotOptimize(bitmap);
    }
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_ScreenWithCameraBarOpen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
