// Photo rewriting on full-size camera photos: the lossless un-mirror, the re-encoding
// un-mirror (a size that is not whole MCUs) and the date stamp, in process, on noisy synthetic
// pictures and on a real phone photo (scaled to 12 MP for that size).
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
#include "platform/media/JpegCodedTransform.h"
#include "platform/media/JpegSegments.h"

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

platform::Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The real phone photo (3264 x 2448, 8 MP) as it is, or scaled (bilinear) to `width` x `height`
// and encoded as the phone would (quality 92, 4:2:0) with its own metadata; tagged 6 either way.
platform::Bytes realPhoto(int width, int height) {
    const platform::Bytes original =
        readFile(std::string(LUMORA_SOURCE_DIR) + "/tests/data/photos/real/iphone_hdr_NO.jpg");
    auto image = platform::decodeJpeg(original);
    if (!image) return {};
    if (image->width == width && image->height == height) {
        return platform::writeExifOrientation(original, 6).value_or(platform::Bytes{});
    }
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 4);
    const double sx = (image->width - 1.0) / (width - 1), sy = (image->height - 1.0) / (height - 1);
    for (int y = 0; y < height; ++y) {
        const double fy = y * sy;
        const int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, image->height - 1);
        const double wy = fy - y0;
        for (int x = 0; x < width; ++x) {
            const double fx = x * sx;
            const int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, image->width - 1);
            const double wx = fx - x0;
            auto at = [&](int xx, int yy, int c) {
                return image->pixels[static_cast<std::size_t>(yy) * image->stride + xx * 4 + c];
            };
            for (int c = 0; c < 4; ++c) {
                const double v = (1 - wy) * ((1 - wx) * at(x0, y0, c) + wx * at(x1, y0, c)) +
                                 wy * ((1 - wx) * at(x0, y1, c) + wx * at(x1, y1, c));
                px[(static_cast<std::size_t>(y) * width + x) * 4 + c] =
                    static_cast<std::uint8_t>(v + 0.5);
            }
        }
    }
    auto encoded = platform::encodeJpeg(px.data(), width, height, width * 4, 92,
                                        platform::JpegSubsampling::S420);
    if (!encoded) return {};
    auto spliced = platform::spliceMetadata(original, *encoded);
    if (!spliced) return {};
    return platform::writeExifOrientation(*spliced, 6).value_or(platform::Bytes{});
}

const platform::Bytes& real(int megapixels) {
    static const platform::Bytes eight = realPhoto(3264, 2448);
    static const platform::Bytes twelve = realPhoto(4032, 3024);
    return megapixels == 8 ? eight : twelve;
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

void BM_UnmirrorRealPhoto(benchmark::State& state) {
    const int mp = static_cast<int>(state.range(0));
    const auto& jpeg = real(mp);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::unmirrorPhoto(jpeg, 6));
    state.counters["MB_in"] = jpeg.size() / 1e6;
}
BENCHMARK(BM_UnmirrorRealPhoto)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

void BM_StampRealPhoto(benchmark::State& state) {
    const int mp = static_cast<int>(state.range(0));
    const auto& jpeg = real(mp);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::stampPhoto(jpeg, 6, "12/7/26, 9:41 PM"));
    state.counters["MB_in"] = jpeg.size() / 1e6;
}
BENCHMARK(BM_StampRealPhoto)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

void BM_Stamp(benchmark::State& state) {
    const int mp = static_cast<int>(state.range(0));
    const auto& jpeg = photo(mp);
    for (auto _ : state) benchmark::DoNotOptimize(lumora::stampPhoto(jpeg, 6, "12/7/26, 9:41 PM"));
    setPixels(state, mp);
}
BENCHMARK(BM_Stamp)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

// The two ways of working on the coded picture, side by side on the same photo: row by row on
// the coded blocks (what the un-mirror and stamp use) and through libjpeg's whole-picture
// coefficient arrays (their fallback). Arg 0 is the vertical flip, 1 the horizontal flip.
void BM_FlipCoded(benchmark::State& state) {
    const auto flip =
        state.range(0) ? platform::JpegFlip::Horizontal : platform::JpegFlip::Vertical;
    const auto& jpeg = real(8);
    for (auto _ : state) benchmark::DoNotOptimize(platform::baseline::flipCoded(jpeg, flip));
}
BENCHMARK(BM_FlipCoded)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FlipByCoefficients(benchmark::State& state) {
    const auto flip =
        state.range(0) ? platform::JpegFlip::Horizontal : platform::JpegFlip::Vertical;
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::flipJpegByCoefficients(real(8), flip));
    }
}
BENCHMARK(BM_FlipByCoefficients)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EditRegionCoded(benchmark::State& state) {
    const platform::PixelRect corner{3000, 2200, 200, 200};
    auto paint = [](std::uint8_t* px, int, int, int, int, int) { return (px[0] ^= 0x80), true; };
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::baseline::editRegionCoded(real(8), corner, paint));
    }
}
BENCHMARK(BM_EditRegionCoded)->Unit(benchmark::kMillisecond);

void BM_EditRegionByCoefficients(benchmark::State& state) {
    const platform::PixelRect corner{3000, 2200, 200, 200};
    auto paint = [](std::uint8_t* px, int, int, int, int, int) { return (px[0] ^= 0x80), true; };
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::editJpegRegionByCoefficients(real(8), corner, paint));
    }
}
BENCHMARK(BM_EditRegionByCoefficients)->Unit(benchmark::kMillisecond);

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

// `bench_photo_bench --write-photos DIR` writes the photos bench/photo_compare.sh times (the
// synthetic 8mp.jpg, 12mp.jpg and the real real8mp.jpg, real12mp.jpg) instead of running the
// benchmarks.
int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--write-photos") {
        const std::string dir = argv[2];
        for (int mp : {8, 12}) {
            for (const bool isReal : {false, true}) {
                const auto& bytes = isReal ? real(mp) : photo(mp);
                if (bytes.empty()) return 1;
                std::ofstream out(
                    dir + "/" + (isReal ? "real" : "") + std::to_string(mp) + "mp.jpg",
                    std::ios::binary);
                out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
                if (!out) return 1;
            }
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
