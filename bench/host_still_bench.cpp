// The simulated camera's still path at an iPhone 6's still size: the scene render, the stored
// picture (render plus the bilinear scaling), and a whole save job with and without a kept
// encoded picture.
#include <benchmark/benchmark.h>

#include <cmath>

#include "host/AssetSaver.h"
#include "host/Scene.h"
#include "host/StillCache.h"

namespace {

constexpr int kStillWidth = 3264;
constexpr int kStillHeight = 2448;

host::SceneShot shot() {
    host::SceneShot s;
    s.exposureSeconds = s.aperture * s.aperture / std::exp2(host::sceneBrightnessEV(s.kind));
    return s;
}

void BM_RenderUpright(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(host::renderUpright(shot(), 768, 1024));
}
BENCHMARK(BM_RenderUpright)->Unit(benchmark::kMillisecond);

void BM_RenderStored(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(host::renderStored(shot(), kStillWidth, kStillHeight, 6));
    }
}
BENCHMARK(BM_RenderStored)->Unit(benchmark::kMillisecond);

std::shared_ptr<host::StillImageResponse> response() {
    auto request = std::make_shared<host::StillImageRequest>();
    request->exifOrientation = 6;
    auto r = std::make_shared<host::StillImageResponse>();
    r->request = request;
    r->shot = shot();
    r->stillWidth = kStillWidth;
    r->stillHeight = kStillHeight;
    return r;
}

// Every shot different: render, scale, encode.
void BM_SaveJobNewPicture(benchmark::State& state) {
    const auto r = response();
    for (auto _ : state) {
        host::StillCache::shared().clear();
        benchmark::DoNotOptimize(host::AssetSaver::makeJob(*r));
    }
}
BENCHMARK(BM_SaveJobNewPicture)->Unit(benchmark::kMillisecond);

// The same shot again (a time-lapse of a still scene): the kept JPEG is copied to a surface.
void BM_SaveJobSamePicture(benchmark::State& state) {
    const auto r = response();
    host::StillCache::shared().clear();
    host::AssetSaver::makeJob(*r);
    for (auto _ : state) benchmark::DoNotOptimize(host::AssetSaver::makeJob(*r));
}
BENCHMARK(BM_SaveJobSamePicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
