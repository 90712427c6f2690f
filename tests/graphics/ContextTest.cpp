#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PixelHelpers.h"
#include "platform/graphics/BitmapContext.h"

using namespace platform;
using gfxtest::colourIs;

namespace {
const Color kRed{1, 0, 0, 1};
const Color kBlue{0, 0, 1, 1};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(BitmapContext, FilledRectHasColourInsideAndTransparentOutside) {
    BitmapContext ctx(20, 20, 2);  // 10 x 10 points
    ASSERT_TRUE(ctx.isValid());
    EXPECT_EQ(ctx.size().width, 10);
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(2, 2, 4, 4));  // pixels 4..11
    EXPECT_TRUE(colourIs(ctx.pixel(4, 4), kRed));
    EXPECT_TRUE(colourIs(ctx.pixel(11, 11), kRed));
    EXPECT_EQ(ctx.pixel(3, 4).a, 0);
    EXPECT_EQ(ctx.pixel(12, 12).a, 0);
    EXPECT_EQ(ctx.pixel(0, 0).a, 0);
    // Outside the bitmap reads as clear.
    EXPECT_EQ(ctx.pixel(-1, 0).a, 0);
    EXPECT_EQ(ctx.pixel(20, 0).a, 0);
}

TEST(BitmapContext, FillRulesDifferOnANestedSubpath) {
    for (FillRule rule : {FillRule::NonZero, FillRule::EvenOdd}) {
        BitmapContext ctx(20, 20);
        ctx.setFillColor(kBlue);
        ctx.addRect(CGRectMake(0, 0, 20, 20));
        ctx.addRect(CGRectMake(5, 5, 10, 10));  // same direction: non-zero keeps it filled
        ctx.fillPath(rule);
        EXPECT_TRUE(colourIs(ctx.pixel(1, 1), kBlue));
        EXPECT_EQ(ctx.pixel(10, 10).a, rule == FillRule::EvenOdd ? 0 : 1);
        EXPECT_TRUE(ctx.isPathEmpty()) << "filling consumes the path";
    }
}

TEST(BitmapContext, StrokeUsesStrokeColourWidthAndCap) {
    BitmapContext ctx(30, 30);
    ctx.setStrokeColor(kRed);
    ctx.setFillColor(kBlue);
    ctx.setLineWidth(4);
    ctx.setLineCap(LineCap::Butt);
    ctx.moveTo({5, 15});
    ctx.lineTo({25, 15});
    ctx.strokePath();
    EXPECT_TRUE(colourIs(ctx.pixel(15, 14), kRed));
    EXPECT_TRUE(colourIs(ctx.pixel(15, 16), kRed));
    EXPECT_EQ(ctx.pixel(15, 18).a, 0);
    EXPECT_EQ(ctx.pixel(3, 15).a, 0) << "butt cap ends at the end point";

    ctx.setLineCap(LineCap::Round);
    ctx.moveTo({5, 5});
    ctx.lineTo({25, 5});
    ctx.strokePath();
    EXPECT_GT(ctx.pixel(3, 5).a, 0.5) << "round cap reaches past the end point";
}

TEST(BitmapContext, SaveRestoreBringsBackStateButKeepsThePath) {
    BitmapContext ctx(10, 10);
    ctx.setFillColor(kRed);
    ctx.setLineWidth(3);
    {
        GStateGuard guard(ctx);
        ctx.setFillColor(kBlue);
        ctx.setLineWidth(7);
        ctx.translate(100, 100);
        ctx.setAlpha(0.5);
        ctx.moveTo({0, 0});
    }
    EXPECT_EQ(ctx.fillColor(), kRed);
    EXPECT_EQ(ctx.lineWidth(), 3);
    EXPECT_EQ(ctx.alpha(), 1);
    EXPECT_TRUE(CGAffineTransformIsIdentity(ctx.ctm()));
    EXPECT_FALSE(ctx.isPathEmpty()) << "the path is not part of the graphics state";
    // Unbalanced restores are ignored.
    ctx.restoreGState();
    ctx.restoreGState();
    ctx.beginPath();
    ctx.fillRect(CGRectMake(0, 0, 10, 10));
    EXPECT_TRUE(colourIs(ctx.pixel(5, 5), kRed));
}

TEST(BitmapContext, TransformsMoveAndScaleDrawing) {
    BitmapContext ctx(40, 40);
    ctx.translate(20, 20);
    ctx.rotate(M_PI / 2);  // +x now points down
    ctx.scale(2, 2);
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(2, -1, 4, 2));  // after: x 16..24? -> rotated to the bottom
    EXPECT_TRUE(colourIs(ctx.pixel(20, 30), kRed));
    EXPECT_EQ(ctx.pixel(30, 20).a, 0);
    const CGAffineTransform t = ctx.ctm();
    EXPECT_NEAR(t.b, 2, 1e-9);
    EXPECT_NEAR(t.tx, 20, 1e-9);
}

TEST(BitmapContext, DegenerateInputsDrawNothingAndNeverBreakTheContext) {
    BitmapContext ctx(20, 20);
    ctx.setFillColor(kRed);
    ctx.scale(0, 0);                       // non-invertible: ignored
    ctx.concatCTM({kNaN, 0, 0, 1, 0, 0});  // NaN: ignored
    ctx.setLineWidth(kNaN);
    ctx.setLineWidth(-3);
    ctx.moveTo({kNaN, 3});
    ctx.lineTo({1, std::numeric_limits<double>::infinity()});
    ctx.addArc({5, 5}, -1, 0, 1, true);
    ctx.addEllipse(CGRectMake(0, 0, 0, 10));
    ctx.addRect(CGRectMake(kNaN, 0, 5, 5));
    ctx.fillPath();
    ctx.fillRect(CGRectMake(0, 0, kNaN, 4));
    ctx.setLineDash(kNaN, {1, 2});
    ctx.setLineDash(0, {-1, 2});
    ctx.drawImage(CGRectMake(0, 0, 10, 10), nullptr);
    ctx.setShadow({kNaN, 1}, kNaN, kRed);
    ctx.setAlpha(kNaN);
    EXPECT_EQ(gfxtest::countOpaque(ctx, 0.01), 0);
    ASSERT_TRUE(ctx.isValid());
    EXPECT_TRUE(CGAffineTransformIsIdentity(ctx.ctm()));
    ctx.setAlpha(1);
    ctx.clearShadow();
    ctx.fillRect(CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(colourIs(ctx.pixel(10, 10), kRed)) << "the context still draws afterwards";
}

TEST(BitmapContext, InvalidSizesGiveAnInertContext) {
    for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {100000, 10}}) {
        BitmapContext ctx(w, h, 2);
        EXPECT_FALSE(ctx.isValid());
        ctx.setFillColor(kRed);
        ctx.fillRect(CGRectMake(0, 0, 5, 5));
        ctx.drawText("x", CGRectMake(0, 0, 5, 5), {});
        ctx.blurRegion(CGRectMake(0, 0, 5, 5), 2);
        ctx.beginTransparencyLayer(0.5);
        ctx.endTransparencyLayer();
        EXPECT_EQ(ctx.makeImage(), nullptr);
        EXPECT_EQ(ctx.pixel(0, 0).a, 0);
        EXPECT_FALSE(ctx.writePng("/tmp/gfx-never-written.png"));
    }
    BitmapContext badScale(4, 4, kNaN);
    EXPECT_EQ(badScale.scale(), 1);
}

TEST(BitmapContext, GlobalAlphaAndClearRect) {
    BitmapContext ctx(10, 10);
    ctx.setAlpha(0.5);
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(0, 0, 10, 10));
    EXPECT_TRUE(colourIs(ctx.pixel(5, 5), {1, 0, 0, 0.5}));
    ctx.clearRect(CGRectMake(0, 0, 5, 10));
    EXPECT_EQ(ctx.pixel(2, 5).a, 0);
    EXPECT_GT(ctx.pixel(7, 5).a, 0.4);
}

TEST(BitmapContext, ClipToRectAndToPath) {
    BitmapContext ctx(20, 20);
    ctx.setFillColor(kRed);
    {
        GStateGuard guard(ctx);
        ctx.clipToRect(CGRectMake(0, 0, 10, 20));
        ctx.fillRect(CGRectMake(0, 0, 20, 20));
    }
    EXPECT_EQ(ctx.pixel(15, 5).a, 0);
    EXPECT_TRUE(colourIs(ctx.pixel(5, 5), kRed));
    {
        GStateGuard guard(ctx);
        ctx.addEllipse(CGRectMake(10, 0, 10, 10));
        ctx.clip();
        ctx.setFillColor(kBlue);
        ctx.fillRect(CGRectMake(0, 0, 20, 20));
    }
    EXPECT_TRUE(colourIs(ctx.pixel(15, 5), kBlue));
    EXPECT_EQ(ctx.pixel(19, 19).a, 0);
    EXPECT_TRUE(colourIs(ctx.pixel(5, 15), kRed));
}

TEST(BitmapContext, ImageMaskFromASnapshotMakesHoles) {
    BitmapContext ctx(20, 20);
    // White where the holes go, transparent elsewhere, as a label's text would be.
    ctx.setFillColor(Color::whiteColor());
    ctx.fillRect(CGRectMake(5, 5, 10, 10));
    ImageRef mask = ctx.makeImage();
    ASSERT_NE(mask, nullptr);
    ctx.clearAll();
    {
        GStateGuard guard(ctx);
        ctx.clipToImageMask(CGRectMake(0, 0, 20, 20), mask.get());
        ctx.setFillColor(kRed);
        ctx.fillRect(CGRectMake(0, 0, 20, 20));
    }
    EXPECT_TRUE(colourIs(ctx.pixel(1, 1), kRed));
    EXPECT_EQ(ctx.pixel(10, 10).a, 0) << "white in the mask blocks painting";
    // The clip ended with the guard.
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(colourIs(ctx.pixel(10, 10), kRed));
}

TEST(BitmapContext, TransparencyLayerCompositesOverlapsOnce) {
    BitmapContext ctx(20, 10);
    {
        TransparencyLayerGuard layer(ctx, 0.3);
        ctx.setFillColor(kRed);
        ctx.fillRect(CGRectMake(0, 0, 12, 10));
        ctx.fillRect(CGRectMake(8, 0, 12, 10));  // overlaps 8..12
    }
    EXPECT_TRUE(colourIs(ctx.pixel(2, 5), {1, 0, 0, 0.3}));
    EXPECT_TRUE(colourIs(ctx.pixel(10, 5), {1, 0, 0, 0.3})) << "no double alpha in the overlap";
    ctx.endTransparencyLayer();  // unbalanced: ignored
    EXPECT_TRUE(ctx.isValid());
}

TEST(BitmapContext, ShadowIsOffsetAndStaysUnderTheShape) {
    BitmapContext ctx(30, 30);
    ctx.setShadow({4, 4}, 0, Color::black());
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(5, 5, 10, 10));
    EXPECT_TRUE(colourIs(ctx.pixel(10, 10), kRed)) << "the shape covers its own shadow";
    EXPECT_TRUE(colourIs(ctx.pixel(17, 17), Color::black())) << "shadow shows beside it";
    EXPECT_EQ(ctx.pixel(3, 3).a, 0);
    EXPECT_EQ(ctx.pixel(20, 20).a, 0);

    BitmapContext blurred(30, 30);
    blurred.setShadow({0, 0}, 6, Color::black());
    blurred.setFillColor(kRed);
    blurred.fillRect(CGRectMake(10, 10, 10, 10));
    EXPECT_GT(blurred.pixel(8, 15).a, 0.05) << "a blurred shadow reaches past the edge";
    EXPECT_LT(blurred.pixel(8, 15).a, 0.9);
}

TEST(BitmapContext, BlendModeClearErasesTheShape) {
    BitmapContext ctx(10, 10);
    ctx.setFillColor(kRed);
    ctx.fillRect(CGRectMake(0, 0, 10, 10));
    ctx.setBlendMode(BlendMode::Clear);
    ctx.setFillColor({0, 1, 0, 0.2});
    ctx.fillEllipse(CGRectMake(2, 2, 6, 6));
    EXPECT_EQ(ctx.pixel(5, 5).a, 0);
    EXPECT_TRUE(colourIs(ctx.pixel(0, 0), kRed));
}
