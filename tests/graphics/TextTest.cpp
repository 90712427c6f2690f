#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PixelHelpers.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/FontMap.h"
#include "platform/graphics/Text.h"
#include "platform/graphics/TextShaping.h"

using namespace platform;

TEST(FontMap, PhoneNamesMapToInstalledFacesAndUnknownFallsBack) {
    EXPECT_EQ(FontMap::resolve("HelveticaNeue-BoldItalic"),
              (FontFace{"Liberation Sans", true, true}));
    EXPECT_TRUE(FontMap::resolve("DINAlternate-Bold").bold);
    EXPECT_TRUE(FontMap::resolve("HelveticaNeue-LightItalic").italic);
    EXPECT_FALSE(FontMap::resolve("HelveticaNeue-Light").bold);
    EXPECT_EQ(FontMap::resolve("NoSuchFont-Regular"), FontMap::defaultFace());
    EXPECT_FALSE(FontMap::isKnown("NoSuchFont-Regular"));
    EXPECT_TRUE(FontMap::isKnown("HelveticaNeue"));
}

TEST(Text, MeasureGrowsWithLengthSizeAndKerning) {
    TextStyle style{"DINAlternate-Bold", 12};
    const CGSize one = measureText("W", style);
    const CGSize three = measureText("WWW", style);
    EXPECT_GT(one.width, 0);
    EXPECT_NEAR(three.width, 3 * one.width, 0.01);
    EXPECT_GT(one.height, 12);
    style.kerning = 2;
    EXPECT_NEAR(measureText("WWW", style).width, three.width + 6, 0.01)
        << "kerning after every character";
    style.fontSize = 24;
    style.kerning = 0;
    EXPECT_NEAR(measureText("WWW", style).width, 2 * three.width, 0.05);
}

TEST(Text, DegenerateTextMeasuresZero) {
    TextStyle style;
    EXPECT_EQ(measureText("", style), CGSizeZero);
    style.fontSize = 0;
    EXPECT_EQ(measureText("abc", style), CGSizeZero);
    style.fontSize = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(measureText("abc", style), CGSizeZero);
    EXPECT_EQ(fontMetrics(style).lineHeight, 0);
}

TEST(Text, UnknownFontStillDrawsAndEmptyTextDrawsNothing) {
    BitmapContext ctx(80, 30);
    TextStyle style{"NoSuchFont-Regular", 20, 0, Color::black()};
    EXPECT_EQ(ctx.drawText("", CGRectMake(0, 0, 80, 30), style), CGSizeZero);
    EXPECT_EQ(gfxtest::countOpaque(ctx, 0.01), 0);
    const CGSize drawn = ctx.drawText("Hg", CGRectMake(0, 0, 80, 30), style);
    EXPECT_GT(drawn.width, 0);
    EXPECT_GT(gfxtest::countOpaque(ctx), 20);
}

TEST(Text, AlignmentPlacesTheLineInTheRect) {
    auto inkBounds = [](TextAlignment a) {
        BitmapContext ctx(100, 20);
        ctx.drawText("II", CGRectMake(0, 0, 100, 20),
                     {"HelveticaNeue-Bold", 14, 0, Color::black(), a});
        int minX = 100, maxX = -1;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (ctx.pixel(x, y).a > 0.5) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            }
        }
        return std::pair{minX, maxX};
    };
    auto [l0, l1] = inkBounds(TextAlignment::Left);
    auto [c0, c1] = inkBounds(TextAlignment::Center);
    auto [r0, r1] = inkBounds(TextAlignment::Right);
    EXPECT_LT(l0, 5);
    EXPECT_NEAR((c0 + c1) / 2.0, 50, 3);
    EXPECT_GT(r1, 94);
}

TEST(Text, InvalidUtf8DoesNotBreakTheContext) {
    BitmapContext ctx(60, 20);
    TextStyle style{"HelveticaNeue", 14, 0, Color::black()};
    EXPECT_GT(ctx.drawText(std::string("a\xff\xfe"
                                       "b\xc3",
                                       5),
                           CGRectMake(0, 0, 60, 20), style)
                  .width,
              0);
    EXPECT_GT(measureText(std::string("\xe2\x82", 2), style).width, 0);
    EXPECT_TRUE(ctx.isValid());
    EXPECT_GT(ctx.drawText("ok", CGRectMake(0, 0, 60, 20), style).width, 0);
}

TEST(Text, WrapLinesBreaksAtSpacesAndNewlines) {
    TextStyle style{"HelveticaNeue", 10};
    const CGFloat wordWidth = measureText("word word", style).width;
    auto lines = wrapLines("word word word\nnext", style, wordWidth + 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "word word");
    EXPECT_EQ(lines[1], "word");
    EXPECT_EQ(lines[2], "next");
    EXPECT_EQ(wrapLines("unbreakable", style, 1).size(), 1u);
}

// Japanese and Chinese texts in the Latin faces of the phone's fonts: each character comes from
// an installed face that has it, so two different characters never draw as the same box, and
// the line still measures as the sum of its parts with the kerning after every character.
TEST(Text, CharactersTheFaceLacksComeFromAFaceThatHasThem) {
    ASSERT_FALSE(text::fallbackFamily(0x65E5).empty()) << "no installed font has 日";
    EXPECT_TRUE(text::fallbackFamily(0x10FFFD).empty()) << "a private-use character has no face";
    const TextStyle style{"DINAlternate-Bold", 20, 0, Color::black()};
    auto ink = [&](const char* s) {
        BitmapContext ctx(30, 30);
        ctx.drawText(s, CGRectMake(0, 0, 30, 30), style);
        std::vector<bool> on;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) on.push_back(ctx.pixel(x, y).a > 0.5);
        }
        return on;
    };
    const auto sun = ink("日"), book = ink("本");
    EXPECT_GT(std::count(sun.begin(), sun.end(), true), 20);
    EXPECT_NE(sun, book) << "both characters drew the same missing-glyph box";

    TextStyle kerned = style;
    kerned.kerning = 2;
    const double latin = measureText("Ab", kerned).width;
    const double cjk = measureText("日本", kerned).width;
    EXPECT_GT(cjk, 2 * 15) << "full-width characters";
    EXPECT_NEAR(measureText("Ab日本", kerned).width, latin + cjk, 0.01);
}

// Japanese and Chinese have no blanks between words: a line breaks between any two characters,
// never before closing punctuation, and nothing is lost or added.
TEST(Text, WrapLinesBreaksJapaneseAndChineseBetweenCharacters) {
    const TextStyle style{"HelveticaNeue", 14};
    const std::string text = "縮時攝影：在轉盤上選擇間隔，點一下中心開始。再點一下即停止。";
    const CGFloat width = measureText("縮時攝影：在", style).width + 1;
    const auto lines = wrapLines(text, style, width);
    ASSERT_GE(lines.size(), 4u);
    std::string joined;
    for (const auto& line : lines) {
        EXPECT_LE(measureText(line, style).width, width) << line;
        for (const char* closing : {"，", "。", "："}) {
            EXPECT_NE(line.rfind(closing, 0), 0u) << "a line starts with " << closing;
        }
        joined += line;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(wrapLines("Mixed 日本語の文", style, measureText("Mixed 日本", style).width + 1),
              (std::vector<std::string>{"Mixed 日本", "語の文"}));
}
