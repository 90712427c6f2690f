// The cut-out label, the badges and the dial marks as views on screen.

#include <gtest/gtest.h>

#include <memory>

#include "manual/DialScrollViewGraphicsView.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "platform/ui/ScreenRenderer.h"

using namespace lumora;
using platform::Color;

namespace {

bool isAmber(const Color& c) {
    return std::abs(c.r - 1) < 0.02 && std::abs(c.g - 0.8) < 0.02 && c.b < 0.02 && c.a > 0.98;
}

// Renders `view` alone at 2x on a transparent background, or over a plain backdrop colour.
std::unique_ptr<platform::BitmapContext> render(const std::shared_ptr<UIView>& view, CGSize size,
                                                UIColor backdrop = UIColor::clear()) {
    auto root = std::make_shared<UIView>(CGRect{{0, 0}, size});
    root->setBackgroundColor(backdrop);
    root->addSubview(view);
    platform::RenderOptions options;
    options.size = size;
    options.scale = 2;
    options.background = Color::clear();
    return platform::ScreenRenderer::render(*root, options);
}

struct Counts {
    int amber = 0, clear = 0, backdrop = 0, other = 0;
};

Counts count(const platform::BitmapContext& b, CGRect points, const Color& backdrop) {
    Counts n;
    for (int y = int(points.origin.y * 2); y < int(CGRectGetMaxY(points) * 2); ++y) {
        for (int x = int(points.origin.x * 2); x < int(CGRectGetMaxX(points) * 2); ++x) {
            const Color c = b.pixel(x, y);
            if (isAmber(c)) {
                ++n.amber;
            } else if (c.a < 0.02) {
                ++n.clear;
            } else if (std::abs(c.r - backdrop.r) < 0.02 && std::abs(c.g - backdrop.g) < 0.02 &&
                       std::abs(c.b - backdrop.b) < 0.02) {
                ++n.backdrop;
            } else {
                ++n.other;  // anti-aliased letter edges
            }
        }
    }
    return n;
}

}  // namespace

TEST(CustomTransparentFilledLabelView, EmptyTextIsAmberInsideTheRoundedCorners) {
    auto label = std::make_shared<CustomTransparentFilledLabel>(CGRectMake(0, 0, 80, 22));
    label->setTextEx("");
    auto b = render(label, {80, 22});
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 160; ++x) {
            const bool corner = (x < 4 || x >= 156) && (y < 4 || y >= 40);
            if (!corner) {
                ASSERT_TRUE(isAmber(b->pixel(x, y))) << x << "," << y;
            }
        }
    }
    EXPECT_LT(b->pixel(0, 0).a, 0.05) << "the corner is rounded off";
    EXPECT_LT(b->pixel(159, 43).a, 0.05);
}

TEST(CustomTransparentFilledLabelView, LettersAreTransparentHoles) {
    auto label = std::make_shared<CustomTransparentFilledLabel>(CGRectMake(0, 0, 80, 22));
    label->setTextEx("WB LOCK");
    auto b = render(label, {80, 22});
    const Counts n = count(*b, CGRectMake(2, 2, 76, 18), Color::clear());
    EXPECT_GT(n.clear, 150) << "the letters are cut out";
    EXPECT_GT(n.amber, n.clear) << "the plate stays around them";
}

TEST(CustomTransparentFilledLabelView, TheSceneBehindShowsThroughTheLetters) {
    // On screen the holes must show what lies behind the label, not punch through it.
    const UIColor green = UIColor::greenColor();
    auto label = std::make_shared<CustomTransparentFilledLabel>(CGRectMake(10, 5, 80, 22));
    label->setTextEx("WB LOCK");
    auto b = render(label, {100, 32}, green);
    const Counts n = count(*b, CGRectMake(12, 7, 76, 18), green);
    EXPECT_EQ(n.clear, 0) << "no hole goes through the backdrop";
    EXPECT_GT(n.backdrop, 150) << "the green backdrop shows in the letters";
    EXPECT_GT(n.amber, n.backdrop);
    EXPECT_NEAR(b->pixel(4, 4).g, 1.0, 0.01) << "outside the label the backdrop is untouched";
}

TEST(CustomTransparentFilledLabelView, TextColourDoesNotChangeTheDrawing) {
    auto label = std::make_shared<CustomTransparentFilledLabel>(CGRectMake(0, 0, 80, 22));
    label->setTextEx("TIMER");
    auto before = render(label, {80, 22});
    label->removeFromSuperview();
    label->setTextColor(UIColor::redColor());
    auto after = render(label, {80, 22});
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 160; ++x) ASSERT_EQ(before->argb32(x, y), after->argb32(x, y));
    }
}

TEST(CustomSlalomIndicatorViewRendering, ResolutionTypeDrawsNoNumber) {
    auto amberIn = [](const platform::BitmapContext& b, int y0, int y1) {
        int n = 0;
        for (int y = y0 * 2; y < y1 * 2; ++y) {
            for (int x = 0; x < 88; ++x) n += b.pixel(x, y).a > 0.5 ? 1 : 0;
        }
        return n;
    };
    auto badge =
        std::make_shared<CustomSlalomIndicatorView>(CGRectMake(0, 0, 44, 42), nullptr, nullptr);
    badge->setFramesPerSecond(60);
    auto rate = render(badge, {44, 42});
    EXPECT_GT(amberIn(*rate, 5, 17), 20) << "the number line";
    EXPECT_GT(amberIn(*rate, 24, 36), 20) << "the FPS line";

    badge->removeFromSuperview();
    badge->setIndicatorType(CustomSlalomIndicatorView::kResolution);
    badge->setLabelText("720p");
    auto resolution = render(badge, {44, 42});
    EXPECT_EQ(amberIn(*resolution, 5, 17), 0) << "no number and no picture set";
    EXPECT_GT(amberIn(*resolution, 24, 36), 20) << "the resolution text";
}

TEST(DialScrollViewGraphicsViewTest, NeverTakesTouches) {
    auto ruler = std::make_shared<UIView>(CGRectMake(0, 0, 100, 60));
    auto tick = std::make_shared<DialScrollViewGraphicsView>(CGRectMake(10, 10, 23, 34));
    tick->setTag(1);
    ruler->addSubview(tick);
    EXPECT_FALSE(tick->pointInside({5, 5}, nullptr));
    EXPECT_EQ(ruler->hitTest({20, 20}, nullptr), ruler.get());
}

TEST(DialScrollViewGraphicsViewTest, DrawsTheMarkOfItsTagOnly) {
    auto inkOf = [](long tag, int subTag) {
        auto mark = std::make_shared<DialScrollViewGraphicsView>(CGRectMake(0, 0, 31, 34));
        mark->setTag(tag);
        mark->setSubTag(subTag);
        auto b = render(mark, {31, 34});
        int n = 0;
        double strongest = 0;
        for (int y = 0; y < 68; ++y) {
            for (int x = 0; x < 62; ++x) {
                const Color c = b->pixel(x, y);
                n += c.a > 0.05 ? 1 : 0;
                strongest = std::max(strongest, c.a);
            }
        }
        return std::make_pair(n, strongest);
    };
    EXPECT_EQ(inkOf(0, 97).first, 0);
    EXPECT_EQ(inkOf(4, 99).first, 0);
    const auto tick = inkOf(1, 97);
    EXPECT_GT(tick.first, 50);
    // Grey stroke at alpha 0.6 over its opaque grey shadow, in a view at alpha 0.8.
    EXPECT_GT(tick.second, 0.5);
    EXPECT_LE(tick.second, 0.81);
    EXPECT_EQ(inkOf(1, 99).first, tick.first) << "the tick is the same on every dial";
    EXPECT_GT(inkOf(2, 99).first, 50);
    EXPECT_GT(inkOf(3, 99).first, 50);
}
