// Photo rewriting on full-size camera photos: the lossless un-mirror, the re-encoding
// un-mirror (a size that is not whole MCUs) and the date stamp, in process.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "photo/PhotoRewrite.h"
#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"

namespace {

// A camera-like picture: smooth light falling across the frame, some shapes and fine sensor
// noise, so the entropy coder has a realistic amount of detail to code.
platform::Bytes cameraPhoto(int width, int height, int tag) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 4);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            const bool shape = ((x / 180) + (y / 140)) % 3 == 0;
            std::uint8_t* p = &px[(static_cast<std::size_t>(y) * width + x) * 4];
            p[0] = static_cast<std::uint8_t>(std::clamp(60 + 120 * x / width + noise, 0, 255));
            p[1] = static_cast<std::uint8_t>(std::clamp(50 + 140 * y / height + noise, 0, 255));
            p[2] = static_cast<std::uint8_t>(std::clamp((shape ? 200 : 90) + noise, 0, 255));
            p[3] = 255;
        }
    }
    auto jpeg = platform::encodeJpeg(px.data(), width, height, width * 4, 92,
                                     platform::JpegSubsampling::S420);
    return platform::writeExifOrientation(jpeg.value(), tag).value();
}

const platform::Bytes& photo(int megapixels) {
    static const platform::Bytes eight = cameraPhoto(3264, 2448, 6);
    static const platform::Bytes twelve = cameraPhoto(4032, 3024, 6);
    static const platform::Bytes notWholeMcus = cameraPhoto(3264, 2440, 6);
    return megapixels == 8 ? eight : megapixels == 12 ? twelve : notWholeMcus;
}

void setPixels(benchmark::State& state, int megapixels) {
    auto header = platform::readJpegHeader(photo(megapixels));
    state.counters["MP"] = header ? header->width * header->height / 1e6 : 0;
    state.counters["MB_in"] = photo(megapixels).size() / 1e6;
}

void BM_UnmirrorLossless(benchmark::State& state) {
    const int mp = static_cast<int>(state.range(0));
    const auto& jpeg = photo(mp);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::unmirrorPhoto(jpeg, 6));
    setPixels(state, mp);
}
BENCHMARK(BM_UnmirrorLossless)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

// 3264 x 2440 stored sideways: 2440 rows are not whole 16-row MCUs, so the photo is decoded,
// flipped and re-encoded.
void BM_UnmirrorReencode(benchmark::State& state) {
    const auto& jpeg = photo(0);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::unmirrorPhoto(jpeg, 6));
    setPixels(state, 0);
}
BENCHMARK(BM_UnmirrorReencode)->Unit(benchmark::kMillisecond);

void BM_Stamp(benchmark::State& state) {
    const int mp = static_cast<int>(state.range(0));
    const auto& jpeg = photo(mp);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::stampPhoto(jpeg, 6, "12/7/26, 9:41 PM"));
    setPixels(state, mp);
}
BENCHMARK(BM_Stamp)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

// The parts of the stamp path, to see where its time goes.
void BM_Decode(benchmark::State& state) {
    const auto& jpeg = photo(8);
    for (auto _ : state) benchmark::DoNotOptimize(platform::decodeJpeg(jpeg));
    setPixels(state, 8);
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

void BM_EncodeQuality100(benchmark::State& state) {
    auto image = platform::decodeJpeg(photo(8));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            platform::encodeJpeg(*image, 100, platform::JpegSubsampling::S420));
    }
    setPixels(state, 8);
}
BENCHMARK(BM_EncodeQuality100)->Unit(benchmark::kMillisecond);

}  // namespace

// `bench_photo_bench --write-photos DIR` writes the generated photos (8mp.jpg, 12mp.jpg) for
// bench/photo_compare.sh instead of running the benchmarks.
int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--write-photos") {
        const std::string dir = argv[2];
        for (int mp : {8, 12}) {
            std::ofstream out(dir + "/" + std::to_string(mp) + "mp.jpg", std::ios::binary);
            const auto& bytes = photo(mp);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out) return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
