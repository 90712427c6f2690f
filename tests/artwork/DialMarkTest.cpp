#include <gtest/gtest.h>

#include "ArtworkPixels.h"
#include "artwork/DialMarks.h"

using namespace platform;
using namespace lumora::artwork;

TEST(DialMarks, TickIsAVerticalLineAtItsDesignPosition) {
    BitmapContext ctx(96, 128, 4);  // 24 x 32 points
    drawDialMark(ctx, kDialMarkTick);
    // x 11.625 pt = 46.5 px; the line runs from y 1.375 to 29.875 pt.
    EXPECT_TRUE(arttest::near(ctx.pixel(44, 60).r, 220 / 255.0, 0.03));
    EXPECT_TRUE(arttest::near(ctx.pixel(44, 60).a, 0.6, 0.03));
    EXPECT_GT(ctx.pixel(46, 8).a, 0.3);
    EXPECT_GT(ctx.pixel(46, 116).a, 0.3);
    EXPECT_EQ(ctx.pixel(46, 126).a, 0) << "stops at 29.875 plus the round cap";
    EXPECT_EQ(ctx.pixel(20, 60).a, 0);
    // The grey shadow sits half a point right and below.
    EXPECT_TRUE(arttest::near(ctx.pixel(50, 60).a, 0.6, 0.03));
    EXPECT_TRUE(arttest::near(ctx.pixel(50, 60).r, 0.5, 0.03));
}

TEST(DialMarks, FlowerAndMountainsFitTheirBoxAndOtherTagsDrawNothing) {
    for (int tag : {kDialMarkNearFocus, kDialMarkFarFocus}) {
        BitmapContext ctx(96, 128, 4);
        drawDialMark(ctx, tag, 99);
        int maxX = 0, maxY = 0, count = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 96; ++x) {
                if (ctx.pixel(x, y).a > 0) {
                    maxX = std::max(maxX, x);
                    maxY = std::max(maxY, y);
                    ++count;
                }
            }
        }
        EXPECT_GT(count, 100) << tag;
        EXPECT_LT(maxX, 4 * 21) << tag;
        EXPECT_LT(maxY, 4 * 14) << tag;
    }
    for (int tag : {0, 4, -3}) {
        BitmapContext ctx(40, 40);
        drawDialMark(ctx, tag);
        EXPECT_EQ(arttest::ink(ctx).pixels, 0) << tag;
    }
}

TEST(DialMarks, TickIsTheSameForEverySubTag) {
    BitmapContext a(48, 64, 2), b(48, 64, 2);
    drawDialMark(a, kDialMarkTick, 97);
    drawDialMark(b, kDialMarkTick, 99);
    EXPECT_TRUE(arttest::samePixels(a, b));
}
