// The simulated scene: focus blurs by distance, exposure brightens, the front camera mirrors,
// stored pictures turn as their EXIF orientation says.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "host/Scene.h"
#include "platform/media/ExifOrientation.h"

namespace hosttest {
namespace {

int channel(std::uint32_t px, int shift) {
    return static_cast<int>((px >> shift) & 0xFF);
}

int luma(std::uint32_t px) {
    return (channel(px, 16) * 3 + channel(px, 8) * 6 + channel(px, 0)) / 10;
}

// Energy of the differences between neighbours in a window: a blur spreads an edge's step over
// several pixels, which keeps the sum of the steps but lowers the sum of their squares.
long sharpness(const host::Picture& p, double nx0, double ny0, double nx1, double ny1) {
    long sum = 0;
    for (int y = static_cast<int>(ny0 * p.height); y < static_cast<int>(ny1 * p.height); ++y) {
        for (int x = static_cast<int>(nx0 * p.width); x + 1 < static_cast<int>(nx1 * p.width);
             ++x) {
            const long d = luma(p.at(x, y)) - luma(p.at(x + 1, y));
            sum += d * d;
        }
    }
    return sum;
}

host::SceneShot correctlyExposed(host::SceneKind kind) {
    host::SceneShot s;
    s.kind = kind;
    s.aperture = 2.2;
    s.iso = 100;
    s.exposureSeconds = s.aperture * s.aperture / std::exp2(host::sceneBrightnessEV(kind));
    return s;
}

TEST(Scene, FocusSharpensWhatLiesAtTheFocusedDistance) {
    host::SceneShot shot = correctlyExposed(host::SceneKind::Landscape);
    // The ball (0.6 m) at the bottom of a portrait frame; the house (8 m) at the right.
    const double ballDepth = host::depthAt(host::SceneKind::Landscape, {0.53, 0.8}, false, false);
    const double houseDepth = host::depthAt(host::SceneKind::Landscape, {0.85, 0.6}, false, false);
    EXPECT_DOUBLE_EQ(ballDepth, 0.6);
    EXPECT_DOUBLE_EQ(houseDepth, 8);
    shot.lensPosition = static_cast<float>(1 - 0.1 / ballDepth);
    EXPECT_NEAR(host::focusDistance(shot.lensPosition, 0.1), 0.6, 1e-6);
    const host::Picture nearFocus = host::renderUpright(shot, 300, 400);
    shot.lensPosition = 1.0f;
    const host::Picture farFocus = host::renderUpright(shot, 300, 400);
    const long ballNear = sharpness(nearFocus, 0.35, 0.72, 0.75, 0.95);
    const long ballFar = sharpness(farFocus, 0.35, 0.72, 0.75, 0.95);
    const long houseNear = sharpness(nearFocus, 0.75, 0.4, 0.99, 0.62);
    const long houseFar = sharpness(farFocus, 0.75, 0.4, 0.99, 0.62);
    EXPECT_GT(ballNear, ballFar * 3 / 2);
    EXPECT_GT(houseFar, houseNear * 3 / 2);
}

TEST(Scene, LongerExposureAndHigherISOBrighten) {
    host::SceneShot shot = correctlyExposed(host::SceneKind::Landscape);
    EXPECT_NEAR(host::exposureFactor(shot), 1.0, 1e-9);
    const host::Picture normal = host::renderUpright(shot, 60, 80);
    shot.exposureSeconds /= 4;
    const host::Picture dark = host::renderUpright(shot, 60, 80);
    shot.exposureSeconds *= 4;
    shot.iso *= 4;
    const host::Picture bright = host::renderUpright(shot, 60, 80);
    shot.iso = 100;
    shot.biasEV = 2;
    const host::Picture biased = host::renderUpright(shot, 60, 80);
    const std::uint32_t grass = normal.at(30, 70);
    EXPECT_LT(luma(dark.at(30, 70)), luma(grass));
    EXPECT_GT(luma(bright.at(30, 70)), luma(grass));
    EXPECT_EQ(bright.at(30, 70), biased.at(30, 70)) << "+2 EV of bias is four times the light";
    // Nonsense exposure values count as a correct exposure instead of a black or NaN picture.
    shot.exposureSeconds = NAN;
    EXPECT_EQ(host::exposureFactor(shot), 1.0);
}

TEST(Scene, MirroringSwapsLeftAndRight) {
    host::SceneShot shot = correctlyExposed(host::SceneKind::Selfie);
    shot.fixedFocus = true;
    const host::Picture plain = host::renderUpright(shot, 90, 120);
    shot.mirrored = true;
    const host::Picture mirrored = host::renderUpright(shot, 90, 120);
    for (int y = 0; y < 120; y += 7) {
        for (int x = 0; x < 90; x += 5) EXPECT_EQ(plain.at(x, y), mirrored.at(89 - x, y));
    }
    EXPECT_NE(plain.at(15, 24), mirrored.at(15, 24)) << "the window is on one side only";
}

TEST(Scene, StoredPicturesTurnAsTheirTagSays) {
    for (int tag : {1, 3, 6, 8}) {
        const int sw = 40, sh = 30;
        for (int uy = 0; uy < (tag >= 5 ? sw : sh); uy += 3) {
            for (int ux = 0; ux < (tag >= 5 ? sh : sw); ux += 3) {
                const auto s = platform::storedPixelForUpright(tag, sw, sh, ux, uy);
                const auto u = host::uprightForStored(tag, sw, sh, s.x + 0.5, s.y + 0.5);
                EXPECT_DOUBLE_EQ(u.x, ux + 0.5) << tag;
                EXPECT_DOUBLE_EQ(u.y, uy + 0.5) << tag;
            }
        }
    }
    host::SceneShot shot = correctlyExposed(host::SceneKind::Landscape);
    const host::Picture upright = host::renderUpright(shot, 48, 64);
    const host::Picture stored = host::renderStored(shot, 64, 48, 6, 64);
    ASSERT_EQ(stored.width, 64);
    ASSERT_EQ(stored.height, 48);
    // Upright (5, 10) is stored at (10, 48 - 1 - 5).
    EXPECT_EQ(stored.at(10, 42), upright.at(5, 10));
}

TEST(Scene, BadSizesGiveNoPicture) {
    const host::SceneShot shot;
    EXPECT_TRUE(host::renderUpright(shot, 0, 10).pixels.empty());
    EXPECT_TRUE(host::renderUpright(shot, -5, 10).pixels.empty());
    EXPECT_TRUE(host::renderUpright(shot, 100000, 10).pixels.empty());
    EXPECT_TRUE(host::renderStored(shot, 0, 0, 6).pixels.empty());
    const host::Picture odd = host::renderStored(shot, 30, 20, 42, 16);  // unknown tag: as 1
    EXPECT_EQ(odd.width, 30);
    EXPECT_EQ(odd.pixels.size(), 600u);
}

}  // namespace
}  // namespace hosttest
