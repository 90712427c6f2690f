#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "ArtworkPixels.h"
#include "artwork/Glyphs.h"
#include "artwork/Palette.h"

using namespace platform;
using namespace lumora::artwork;
using arttest::near;

namespace {

using Draw = std::function<void(GraphicsContext&, CGRect, const GlyphState&)>;

std::vector<std::pair<std::string, Draw>> allGlyphs() {
    std::vector<std::pair<std::string, Draw>> v;
    for (int tag = 1; tag <= 9; ++tag) {
        v.emplace_back("tag " + std::to_string(tag),
                       [tag](GraphicsContext& c, CGRect r, const GlyphState& s) {
                           drawGlyph(c, r, tag, s, tag == 9 ? 1 : 0);
                       });
    }
    v.emplace_back("camera", drawCameraButton);
    v.emplace_back("timer", drawTimerButton);
    v.emplace_back("time lapse", drawTimeLapseButton);
    v.emplace_back("movie", drawMovieButton);
    v.emplace_back("WB lock", drawWBLockButton);
    return v;
}

arttest::Ink render(const Draw& draw, const GlyphState& state, CGFloat side = 44) {
    BitmapContext ctx(static_cast<int>(side * 2), static_cast<int>(side * 2), 2);
    draw(ctx, CGRectMake(0, 0, side, side), state);
    return arttest::ink(ctx);
}

}  // namespace

TEST(Glyphs, StatesGiveAmberGreyAndDisabledOpacity) {
    for (const auto& [name, draw] : allGlyphs()) {
        SCOPED_TRACE(name);
        const auto selected = render(draw, {true, true, {}});
        ASSERT_GT(selected.pixels, 20);
        EXPECT_TRUE(near(selected.maxAlpha, 1));
        EXPECT_TRUE(near(selected.strongest.r, 1) && near(selected.strongest.g, 0.8) &&
                    near(selected.strongest.b, 0));

        const auto unselected = render(draw, {false, true, {}});
        EXPECT_EQ(unselected.pixels, selected.pixels) << "same shape in every state";
        EXPECT_TRUE(near(unselected.maxAlpha, 0.6)) << "overlaps do not add up";
        EXPECT_TRUE(near(unselected.strongest.r, 220 / 255.0) &&
                    near(unselected.strongest.b, 220 / 255.0));

        EXPECT_TRUE(near(render(draw, {true, false, {}}).maxAlpha, 0.3));
        EXPECT_TRUE(near(render(draw, {false, false, {}}).maxAlpha, 0.18));
        const auto white = render(draw, {false, true, Color::whiteColor()});
        EXPECT_TRUE(near(white.maxAlpha, 1) && near(white.strongest.g, 1));
    }
}

TEST(Glyphs, LegibleAtSmallSizesAndStayInsideTheirBounds) {
    for (const auto& [name, draw] : allGlyphs()) {
        SCOPED_TRACE(name);
        BitmapContext ctx(100, 100, 2);
        draw(ctx, CGRectMake(10, 10, 30, 30), {true, true, {}});
        int outside = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const bool in = x >= 19 && x < 81 && y >= 19 && y < 81;
                if (!in && ctx.pixel(x, y).a > 0) ++outside;
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(arttest::ink(ctx).pixels, 20);
    }
}

TEST(Glyphs, UnknownTagsAndUnusableBoundsDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int tag : {0, 10, -1}) {
        BitmapContext ctx(60, 60);
        drawGlyph(ctx, CGRectMake(0, 0, 60, 60), tag, {true, true, {}});
        EXPECT_EQ(arttest::ink(ctx).pixels, 0) << tag;
    }
    BitmapContext ctx(60, 60);
    for (CGRect r :
         {CGRectMake(0, 0, 0, 40), CGRectMake(0, 0, 40, -5), CGRectMake(nan, 0, 40, 40)}) {
        drawGlyph(ctx, r, 1, {true, true, {}});
        drawCameraButton(ctx, r, {true, true, {}});
    }
    EXPECT_EQ(arttest::ink(ctx).pixels, 0);
    EXPECT_TRUE(ctx.isValid());
}

TEST(Glyphs, TabLetterAndOpenStateFollowDrawFlow) {
    for (int tag : {6, 7}) {
        SCOPED_TRACE(tag);
        auto draw = [tag](int flow) {
            auto ctx = std::make_unique<BitmapContext>(94, 94, 2);
            drawGlyph(*ctx, CGRectMake(0, 0, 47, 47), tag, {false, true, {}}, flow);
            return ctx;
        };
        const auto automatic = draw(0), manual = draw(1), autoOpen = draw(3), manualOpen = draw(4);
        EXPECT_FALSE(arttest::samePixels(*automatic, *manual)) << "A and M differ";
        EXPECT_FALSE(arttest::samePixels(*automatic, *autoOpen)) << "open differs from closed";
        EXPECT_FALSE(arttest::samePixels(*autoOpen, *manualOpen));
        // An open tab is a filled plate with the letter cut out: the middle is a hole.
        EXPECT_GT(arttest::ink(*autoOpen).pixels, arttest::ink(*automatic).pixels);
        int holes = 0;
        for (int y = 30; y < 64; ++y) {
            for (int x = 30; x < 64; ++x) holes += autoOpen->pixel(x, y).a == 0;
        }
        EXPECT_GT(holes, 40) << "the letter is a hole in the middle of the plate";
    }
}

TEST(Glyphs, StabilizationModesEachLookDifferent) {
    auto draw = [](int mode) {
        auto ctx = std::make_unique<BitmapContext>(88, 88, 2);
        drawGlyph(*ctx, CGRectMake(0, 0, 44, 44), 9, {true, true, {}}, mode);
        return ctx;
    };
    const int modes[] = {-1, 0, 1, 2};
    std::vector<std::unique_ptr<BitmapContext>> drawn;
    for (int m : modes) drawn.push_back(draw(m));
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_GT(arttest::ink(*drawn[i]).pixels, 20) << modes[i];
        for (size_t j = i + 1; j < drawn.size(); ++j) {
            EXPECT_FALSE(arttest::samePixels(*drawn[i], *drawn[j])) << modes[i] << " " << modes[j];
        }
    }
    EXPECT_TRUE(arttest::samePixels(*draw(-1), *draw(3))) << "3 is also the automatic mode";
    EXPECT_EQ(arttest::ink(*draw(7)).pixels, 0);
}

#include "artwork/CompositionGlyphs.h"
#include "artwork/GlyphCanvas.h"

namespace {

// The guide buttons' tags are the guides' own numbers (1 thirds, 2 golden section, 3 trisection,
// 4 square), so the glyph a user taps is the guide drawn over the preview.
TEST(GuideGlyphs, EachGuideTagDrawsItsOwnGuide) {
    using GuideDraw = void (*)(GraphicsContext&);
    const std::pair<int, GuideDraw> guides[] = {{1, detail::thirds},
                                                {2, detail::goldenSection},
                                                {3, detail::triangles},
                                                {4, detail::centredSquare}};
    const GlyphState state{true, true, {}};
    for (const auto& [tag, guide] : guides) {
        SCOPED_TRACE(tag);
        BitmapContext byTag(88, 88, 2), byGuide(88, 88, 2);
        drawGlyph(byTag, CGRectMake(0, 0, 44, 44), tag, state);
        drawInGlyphBox(byGuide, CGRectMake(0, 0, 44, 44), CGSizeMake(44, 44), state, guide);
        int differing = 0, inked = 0;
        for (int y = 0; y < 88; ++y) {
            for (int x = 0; x < 88; ++x) {
                const Color a = byTag.pixel(x, y), b = byGuide.pixel(x, y);
                if (a.a > 0.1) ++inked;
                if (std::abs(a.a - b.a) > 0.01) ++differing;
            }
        }
        EXPECT_GT(inked, 100);
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
