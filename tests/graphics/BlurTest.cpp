#include <gtest/gtest.h>

#include <vector>

#include "PixelHelpers.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Blur.h"

using namespace platform;

TEST(Blur, SpreadsASinglePixelSymmetrically) {
    BitmapContext ctx(21, 21);
    ctx.setFillColor(Color::whiteColor());
    ctx.fillRect(CGRectMake(10, 10, 1, 1));
    ctx.blurRegion(CGRectMake(0, 0, 21, 21), 2);
    const double centre = ctx.pixel(10, 10).a;
    EXPECT_GT(centre, 0);
    EXPECT_LT(centre, 0.2) << "the energy spread out";
    for (int d = 1; d <= 5; ++d) {
        const uint32_t right = ctx.argb32(10 + d, 10);
        EXPECT_EQ(right, ctx.argb32(10 - d, 10)) << d;
        EXPECT_EQ(right, ctx.argb32(10, 10 + d)) << d;
        EXPECT_EQ(right, ctx.argb32(10, 10 - d)) << d;
        EXPECT_EQ(ctx.argb32(10 + d, 10 + d), ctx.argb32(10 - d, 10 - d)) << d;
    }
    EXPECT_GT(ctx.pixel(12, 10).a, 0);
    EXPECT_LE(ctx.pixel(12, 10).a, centre);
}

TEST(Blur, KeepsUniformAreasAndStaysInsideTheRegion) {
    BitmapContext ctx(20, 20);
    ctx.setFillColor({0.2, 0.4, 0.6, 1});
    ctx.fillRect(CGRectMake(0, 0, 20, 20));
    ctx.setFillColor(Color::whiteColor());
    ctx.fillRect(CGRectMake(15, 15, 5, 5));
    const uint32_t before = ctx.argb32(3, 3);
    const uint32_t outside = ctx.argb32(15, 15);
    ctx.blurRegion(CGRectMake(0, 0, 10, 10), 3);
    EXPECT_EQ(ctx.argb32(3, 3), before);
    EXPECT_EQ(ctx.argb32(15, 15), outside);
}

TEST(Blur, TinyOrBadRadiusLeavesPixelsAlone) {
    std::vector<uint32_t> px(9, 0);
    px[4] = 0xffffffff;
    auto copy = px;
    gaussianBlurARGB32(px.data(), 3, 3, 3, 0.2);
    gaussianBlurARGB32(px.data(), 3, 3, 3, std::numeric_limits<double>::quiet_NaN());
    gaussianBlurARGB32(nullptr, 3, 3, 3, 5);
    gaussianBlurARGB32(px.data(), 3, 3, 2, 5);  // stride shorter than a row: refused
    EXPECT_EQ(px, copy);
}

TEST(Blur, KeepsPremultipliedColourValid) {
    std::vector<uint32_t> px(64 * 4, 0);
    for (int i = 0; i < 64 * 4; i += 3) px[i] = 0x80808080;
    gaussianBlurARGB32(px.data(), 64, 4, 64, 4);
    for (uint32_t p : px) {
        const uint32_t a = p >> 24;
        EXPECT_LE((p >> 16) & 0xff, a);
        EXPECT_LE(p & 0xff, a);
    }
}

TEST(Blur, SingleChannelBlurSpreadsSymmetricallyAndKeepsTheTotal) {
    std::vector<uint8_t> px(15 * 15, 0);
    px[7 * 15 + 7] = 255;
    gaussianBlurA8(px.data(), 15, 15, 15, 1.5);
    EXPECT_LT(px[7 * 15 + 7], 255);
    int total = 0;
    for (uint8_t v : px) total += v;
    EXPECT_NEAR(total, 255, 30) << "a blur moves ink, it does not make or lose it";
    for (int d = 1; d <= 4; ++d) {
        EXPECT_EQ(px[7 * 15 + 7 + d], px[7 * 15 + 7 - d]);
        EXPECT_NEAR(px[(7 + d) * 15 + 7], px[7 * 15 + 7 + d], 1);
    }
}

// A backdrop inside a rounded, clipping view: only what lies inside the clip is blurred, so the
// corners outside the rounding keep the sharp scene.
TEST(Blur, StaysInsideTheClip) {
    BitmapContext ctx(20, 20);
    for (int x = 0; x < 20; x += 2) {
        ctx.setFillColor(Color::whiteColor());
        ctx.fillRect(CGRectMake(x, 0, 1, 20));
        ctx.setFillColor(Color::black());
        ctx.fillRect(CGRectMake(x + 1, 0, 1, 20));
    }
    const uint32_t cornerBefore = ctx.argb32(0, 0);
    const uint32_t outsideBefore = ctx.argb32(14, 10);
    ctx.saveGState();
    ctx.beginPath();
    ctx.addRect(CGRectMake(0, 0, 10, 10));
    ctx.clip();
    ctx.beginPath();
    ctx.moveTo({1, 1});  // a path being built survives the blur
    ctx.blurRegion(CGRectMake(0, 0, 20, 20), 2);
    EXPECT_FALSE(ctx.isPathEmpty());
    ctx.restoreGState();
    EXPECT_NEAR(ctx.pixel(5, 5).r, 0.5, 0.15) << "inside: blurred to grey";
    EXPECT_EQ(ctx.argb32(14, 10), outsideBefore) << "outside the clip: untouched";
    EXPECT_EQ(ctx.argb32(0, 15), cornerBefore) << "outside the clip: untouched";
}
