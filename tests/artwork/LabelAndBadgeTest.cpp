#include <gtest/gtest.h>

#include "ArtworkPixels.h"
#include "artwork/CutOutLabel.h"
#include "artwork/Palette.h"
#include "artwork/SlalomBadge.h"

using namespace platform;
using namespace lumora::artwork;

namespace {
bool isAmber(const Color& c) {
    return arttest::near(c.r, 1) && arttest::near(c.g, 0.8) && arttest::near(c.b, 0) &&
           arttest::near(c.a, 1);
}
}  // namespace

TEST(CutOutLabel, EmptyTextIsAFullAmberPlateWithRoundCorners) {
    BitmapContext ctx(150, 44, 2);  // 75 x 22 points
    drawCutOutLabel(ctx, CGRectMake(0, 0, 75, 22), "");
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 150; ++x) {
            const bool corner = (x < 4 || x >= 146) && (y < 4 || y >= 40);
            if (!corner) {
                ASSERT_TRUE(isAmber(ctx.pixel(x, y))) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(ctx.pixel(0, 0).a, 0);
    EXPECT_EQ(ctx.pixel(149, 43).a, 0);
}

TEST(CutOutLabel, LettersAreHolesEvenOverOtherContent) {
    BitmapContext ctx(200, 60, 2);
    ctx.setFillColor({0, 0, 1, 1});
    ctx.fillRect(CGRectMake(0, 0, 100, 30));  // something already there
    const CGRect rect = CGRectMake(10, 4, 75, 22);
    drawCutOutLabel(ctx, rect, "WB LOCK");
    int holes = 0, amber = 0, blue = 0;
    for (int y = 8; y < 52; ++y) {
        for (int x = 20; x < 170; ++x) {
            const Color c = ctx.pixel(x, y);
            if (c.a < 0.05) ++holes;
            if (isAmber(c)) ++amber;
            if (c.b > 0.5) ++blue;
        }
    }
    EXPECT_GT(holes, 150) << "the letters are transparent";
    EXPECT_GT(amber, holes) << "the plate stays";
    EXPECT_EQ(blue, 0) << "nothing behind shows through the plate or the holes";
    EXPECT_TRUE(arttest::near(ctx.pixel(5, 5).b, 1)) << "outside the label is untouched";
}

TEST(CutOutLabel, LetterSpacingWidensTheCutOut) {
    auto holeSpan = [](CGFloat kerning) {
        BitmapContext ctx(300, 44, 2);
        CutOutLabelStyle style;
        style.kerning = kerning;
        style.alignment = TextAlignment::Left;
        drawCutOutLabel(ctx, CGRectMake(0, 0, 150, 22), "MMMM", style);
        int last = 0;
        for (int y = 0; y < 44; ++y) {
            for (int x = 10; x < 290; ++x) {
                if (ctx.pixel(x, y).a < 0.05) last = std::max(last, x);
            }
        }
        return last;
    };
    EXPECT_GT(holeSpan(2.0), holeSpan(0) + 8);
}

TEST(Badges, FrameRateBadgeShowsTheNumberOverItsLabel) {
    BitmapContext ctx(104, 90, 2);  // 52 x 45 points
    drawFrameRateBadge(ctx, CGRectMake(0, 0, 52, 45), 120);
    const auto ink = arttest::ink(ctx);
    ASSERT_GT(ink.pixels, 100);
    EXPECT_TRUE(isAmber(ink.strongest));
    // The number sits above the label; a badge with a longer number is wider.
    int numberInk = 0;
    for (int y = 10; y < 30; ++y) {
        for (int x = 0; x < 104; ++x) numberInk += ctx.pixel(x, y).a > 0.5;
    }
    EXPECT_GT(numberInk, 40);
    EXPECT_EQ(badgeFonts(0, false).number, 18);
    EXPECT_EQ(badgeFonts(0, true).label, 14);
    EXPECT_EQ(badgeFonts(1, false).label, 12);
}

TEST(Badges, ResolutionBadgeHasNoNumberAndDrawsItsPicture) {
    BitmapContext ctx(104, 90, 2);
    drawResolutionBadge(ctx, CGRectMake(0, 0, 52, 45), nullptr, CGRectMake(15, 5, 22.5, 16.5),
                        "720p");
    int upper = 0;
    for (int y = 0; y < 2 * 18; ++y) {
        for (int x = 0; x < 104; ++x) upper += ctx.pixel(x, y).a > 0;
    }
    EXPECT_LT(upper, 60) << "only the top of the label line, no number";
    EXPECT_GT(arttest::ink(ctx).pixels, 50);

    auto picture = Image::fromRGBA(1, 1, 1, {0, 255, 0, 255});
    drawResolutionBadge(ctx, CGRectMake(0, 0, 52, 45), picture.get(), CGRectMake(15, 5, 22.5, 16.5),
                        "720p");
    EXPECT_TRUE(arttest::near(ctx.pixel(50, 20).g, 1));
    EXPECT_EQ(ctx.pixel(20, 20).g, 0);
}
