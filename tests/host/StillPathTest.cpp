// The still path: stored pictures scaled up from a modest render match a plain per-pixel
// bilinear scaling of the same render, and identical shots are encoded once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "host/AssetSaver.h"
#include "host/Scene.h"
#include "host/StillCache.h"
#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"

namespace hosttest {
namespace {

host::SceneShot landscapeShot() {
    host::SceneShot s;
    s.aperture = 2.2;
    s.iso = 100;
    s.exposureSeconds = s.aperture * s.aperture / std::exp2(host::sceneBrightnessEV(s.kind));
    s.lensPosition = 0.3f;  // the ball sharp, the rest soft: edges of every kind
    return s;
}

// The stored picture computed the plain way: every stored pixel finds its upright position and
// samples the upright render bilinearly.
host::Picture referenceStored(const host::Picture& low, int sw, int sh, int tag) {
    const bool sideways = tag == 6 || tag == 8;
    const double uw = sideways ? sh : sw, uh = sideways ? sw : sh;
    host::Picture out;
    out.width = sw;
    out.height = sh;
    out.pixels.resize(static_cast<std::size_t>(sw) * sh);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            const auto p = host::uprightForStored(tag, sw, sh, x + 0.5, y + 0.5);
            const double u = std::clamp(p.x * low.width / uw - 0.5, 0.0, low.width - 1.0);
            const double v = std::clamp(p.y * low.height / uh - 0.5, 0.0, low.height - 1.0);
            const int x0 = static_cast<int>(u), y0 = static_cast<int>(v);
            const int x1 = std::min(x0 + 1, low.width - 1), y1 = std::min(y0 + 1, low.height - 1);
            const double fx = u - x0, fy = v - y0;
            std::uint32_t px = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                auto c = [&](int cx, int cy) { return (low.at(cx, cy) >> shift) & 0xFF; };
                const double top = c(x0, y0) * (1 - fx) + c(x1, y0) * fx;
                const double bottom = c(x0, y1) * (1 - fx) + c(x1, y1) * fx;
                px |= static_cast<std::uint32_t>(std::lround(top * (1 - fy) + bottom * fy))
                      << shift;
            }
            out.pixels[static_cast<std::size_t>(y) * sw + x] = px;
        }
    }
    return out;
}

int largestChannelDifference(const host::Picture& a, const host::Picture& b) {
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            const int d = static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                          static_cast<int>((b.pixels[i] >> shift) & 0xFF);
            worst = std::max(worst, std::abs(d));
        }
    }
    return worst;
}

TEST(StillPath, ScaledStillMatchesPlainBilinearScalingInEveryOrientation) {
    const host::SceneShot shot = landscapeShot();
    const int sw = 232, sh = 174, renderLongSide = 64;  // scaled up by about 3.6
    for (int tag : {1, 3, 6, 8}) {
        const bool sideways = tag == 6 || tag == 8;
        const host::Picture low = host::renderUpright(shot, sideways ? 48 : 64, sideways ? 64 : 48);
        const host::Picture stored = host::renderStored(shot, sw, sh, tag, renderLongSide);
        ASSERT_EQ(stored.width, sw);
        ASSERT_EQ(stored.height, sh);
        ASSERT_EQ(stored.pixels.size(), static_cast<std::size_t>(sw) * sh);
        EXPECT_LE(largestChannelDifference(stored, referenceStored(low, sw, sh, tag)), 2)
            << "tag " << tag;
    }
}

TEST(StillPath, DownscaledOrOddSizedStillsStayWithinTheirBounds) {
    const host::SceneShot shot = landscapeShot();
    // Fewer stored pixels than rendered ones, and sizes of one pixel.
    for (auto [w, h] : {std::pair{40, 30}, std::pair{1, 1}, std::pair{1, 300}, std::pair{300, 1}}) {
        const host::Picture p = host::renderStored(shot, w, h, 6, 1024);
        ASSERT_EQ(p.pixels.size(), static_cast<std::size_t>(w) * h);
        for (std::uint32_t px : p.pixels) ASSERT_EQ(px >> 24, 0xFFu) << "opaque everywhere";
    }
}

host::StillKey keyFor(const host::SceneShot& shot, int tag = 6) {
    return {shot, 320, 240, tag};
}

host::EncodedStill encodedFor(std::uint8_t marker) {
    host::EncodedStill e;
    e.jpeg = {0xFF, 0xD8, marker};
    return e;
}

TEST(StillPath, CacheMakesEachDistinctPictureOnce) {
    host::StillCache cache;
    const host::SceneShot shot = landscapeShot();
    int made = 0;
    auto make = [&] { return encodedFor(static_cast<std::uint8_t>(++made)); };
    const auto first = cache.get(keyFor(shot), make);
    const auto again = cache.get(keyFor(shot), make);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(first, again);
    // Whatever the picture depends on makes another one.
    host::SceneShot refocused = shot;
    refocused.lensPosition = 0.31f;
    host::SceneShot mirrored = shot;
    mirrored.mirrored = true;
    host::SceneShot biased = shot;
    biased.biasEV = 0.5;
    EXPECT_NE(cache.get(keyFor(refocused), make)->jpeg, first->jpeg);
    EXPECT_NE(cache.get(keyFor(mirrored), make)->jpeg, first->jpeg);
    EXPECT_NE(cache.get(keyFor(biased), make)->jpeg, first->jpeg);
    EXPECT_NE(cache.get(keyFor(shot, 8), make)->jpeg, first->jpeg);
    EXPECT_EQ(made, 5);
    EXPECT_EQ(cache.misses(), 5u);
}

TEST(StillPath, CacheForgetsTheOldestAndNeverKeepsAFailedEncode) {
    host::StillCache cache;
    host::SceneShot shot = landscapeShot();
    int made = 0;
    auto make = [&] { return encodedFor(static_cast<std::uint8_t>(++made)); };
    for (std::size_t i = 0; i <= host::StillCache::kCapacity; ++i) {
        shot.iso = 100 + static_cast<double>(i);
        cache.get(keyFor(shot), make);
    }
    shot.iso = 100;  // the first, pushed out by the last
    cache.get(keyFor(shot), make);
    EXPECT_EQ(made, static_cast<int>(host::StillCache::kCapacity) + 2);

    int failed = 0;
    auto fail = [&] {
        ++failed;
        return host::EncodedStill{};
    };
    shot.iso = 800;
    EXPECT_TRUE(cache.get(keyFor(shot), fail)->jpeg.empty());
    EXPECT_TRUE(cache.get(keyFor(shot), fail)->jpeg.empty());
    EXPECT_EQ(failed, 2) << "an empty picture is tried again";
}

TEST(StillPath, IdenticalShotsGiveTheSameJpegAndADifferentShotAnother) {
    host::StillCache::shared().clear();
    auto request = std::make_shared<host::StillImageRequest>();
    request->exifOrientation = 6;
    host::StillImageResponse response;
    response.request = request;
    response.shot = landscapeShot();
    response.stillWidth = 320;
    response.stillHeight = 240;
    auto bytesOf = [](const host::ImageJob& job) {
        const auto* base =
            static_cast<const std::uint8_t*>(IOSurfaceGetBaseAddress(job.image.get()));
        return platform::Bytes(base, base + IOSurfaceGetAllocSize(job.image.get()));
    };
    const platform::Bytes first = bytesOf(*host::AssetSaver::makeJob(response));
    const platform::Bytes second = bytesOf(*host::AssetSaver::makeJob(response));
    EXPECT_EQ(first, second);
    EXPECT_EQ(host::StillCache::shared().misses(), 1u);
    const auto header = platform::readJpegHeader(first);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 320);
    EXPECT_EQ(header->height, 240);
    EXPECT_EQ(platform::readExifOrientation(first), 6);

    response.shot.lensPosition = 1.0f;
    EXPECT_NE(bytesOf(*host::AssetSaver::makeJob(response)), first);
    EXPECT_EQ(host::StillCache::shared().misses(), 2u);
}

}  // namespace
}  // namespace hosttest
