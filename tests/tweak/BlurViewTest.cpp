// The blur backdrop: its filter inputs, the factory's configuration, and what the renderer
// makes of it over a two-colour pattern.

#include <gtest/gtest.h>

#include <memory>
#include <variant>

#include "platform/ui/ScreenRenderer.h"
#include "tools/CAM_Tools.h"
#include "tools/CKBlurView.h"

using namespace lumora;

TEST(CKBlurView, StartsWithTheBlurAloneAtRadiusFive) {
    CKBlurView view(CGRectMake(0, 0, 100, 50));
    ASSERT_NE(view.blurFilter(), nullptr);
    EXPECT_EQ(view.blurFilter()->name(), "gaussianBlur");
    EXPECT_EQ(view.colorFilter(), nullptr);
    ASSERT_EQ(view.layer().filters().size(), 1u);
    EXPECT_EQ(view.layer().filters()[0], view.blurFilter());
    EXPECT_EQ(view.blurQuality(), "default");
    EXPECT_FLOAT_EQ(view.blurRadius(), 5);
    EXPECT_EQ(view.blurFilter()->numberForKey("inputRadius"), 5.0);
}

TEST(CKBlurView, InputsAreStoredOnTheBlurFilter) {
    CKBlurView view(CGRectMake(0, 0, 100, 50));
    view.setBlurRadius(12.5f);
    view.setQuality("low");
    EXPECT_FLOAT_EQ(view.blurRadius(), 12.5f);
    EXPECT_EQ(view.quality(), "low");
    const CAFilterValue* q = view.blurFilter()->valueForKey(CKBlurViewQualityKey);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(std::get<std::string>(*q), "low");

    EXPECT_TRUE(CGRectIsNull(view.blurCroppingRect())) << "unset reads as the null rectangle";
    view.setBlurCroppingRect(CGRectMake(1, 2, 30, 40));
    EXPECT_EQ(view.blurCroppingRect(), CGRectMake(1, 2, 30, 40));
    EXPECT_NE(view.blurFilter()->valueForKey("inputBounds"), nullptr);
}

TEST(CKBlurView, BlurEdgesAreStoredAsInvertedHardEdges) {
    CKBlurView view(CGRectMake(0, 0, 10, 10));
    EXPECT_TRUE(view.blurEdges()) << "no hard-edge switch means soft edges";
    view.setBlurEdges(true);
    EXPECT_EQ(view.blurFilter()->numberForKey(CKBlurViewHardEdgesKey), 0.0);
    EXPECT_TRUE(view.blurEdges());
    view.setBlurEdges(false);
    EXPECT_EQ(view.blurFilter()->numberForKey(CKBlurViewHardEdgesKey), 1.0);
    EXPECT_FALSE(view.blurEdges());
}

TEST(CKBlurView, TintGoesInFrontOfTheBlurAndCanBeRemoved) {
    CKBlurView view(CGRectMake(0, 0, 10, 10));
    auto tint = CAFilter::filterWithName(kCAFilterColorAdd);
    view.setTintColorFilter(tint);
    ASSERT_EQ(view.layer().filters().size(), 2u);
    EXPECT_EQ(view.layer().filters()[0], tint);
    EXPECT_EQ(view.layer().filters()[1], view.blurFilter());
    EXPECT_EQ(view.colorFilter(), tint);

    view.setTintColorFilter(nullptr);
    EXPECT_EQ(view.colorFilter(), nullptr);
    ASSERT_EQ(view.layer().filters().size(), 1u) << "no null entry in the filter list";
    EXPECT_EQ(view.layer().filters()[0], view.blurFilter());
}

TEST(CreateAndConfigureBlurView, DarkHardEdgedBackdropAtTheOrigin) {
    auto view = CAM_Tools::CreateAndConfigureBlurView(CGRectMake(165, 40, 419, 55));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->frame(), CGRectMake(0, 0, 419, 55));
    EXPECT_EQ(view->tag(), 1001);
    EXPECT_FALSE(view->blurEdges());
    EXPECT_EQ(view->blurFilter()->numberForKey(CKBlurViewHardEdgesKey), 1.0);
    EXPECT_FLOAT_EQ(view->blurRadius(), 10);
    ASSERT_NE(view->colorFilter(), nullptr);
    EXPECT_EQ(view->colorFilter()->name(), "colorAdd");
    const CAFilterValue* c = view->colorFilter()->valueForKey("inputColor");
    ASSERT_NE(c, nullptr);
    const auto& rgba = std::get<std::vector<double>>(*c);
    ASSERT_EQ(rgba.size(), 4u);
    EXPECT_DOUBLE_EQ(rgba[0], 0.1);
    EXPECT_DOUBLE_EQ(rgba[1], 0.1);
    EXPECT_DOUBLE_EQ(rgba[2], 0.1);
    EXPECT_DOUBLE_EQ(rgba[3], 1.0);
    ASSERT_EQ(view->layer().filters().size(), 2u);
    EXPECT_EQ(view->layer().filters()[0], view->colorFilter());
}

namespace {

// A 200 x 40 point scene: red on the left half, blue on the right, with `overlay` on top.
std::unique_ptr<platform::BitmapContext> renderOverPattern(const std::shared_ptr<UIView>& overlay) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 200, 40));
    auto left = std::make_shared<UIView>(CGRectMake(0, 0, 100, 40));
    left->setBackgroundColor(UIColor::redColor());
    auto right = std::make_shared<UIView>(CGRectMake(100, 0, 100, 40));
    right->setBackgroundColor(UIColor::blueColor());
    root->addSubview(left);
    root->addSubview(right);
    if (overlay) root->addSubview(overlay);
    platform::RenderOptions options;
    options.size = {200, 40};
    options.scale = 1;
    return platform::ScreenRenderer::render(*root, options);
}

}  // namespace

TEST(CKBlurViewRendering, MixesColoursAtTheBoundaryAndAddsTheTint) {
    auto bitmap =
        renderOverPattern(CAM_Tools::CreateAndConfigureBlurView(CGRectMake(0, 0, 200, 40)));
    ASSERT_TRUE(bitmap->isValid());
    const platform::Color edge = bitmap->pixel(100, 20);
    EXPECT_GT(edge.r, 0.3) << "red reaches across the boundary";
    EXPECT_GT(edge.b, 0.3) << "blue reaches across the boundary";

    // Far from the boundary the side keeps its colour; the tint adds 0.1 to every channel.
    const platform::Color farLeft = bitmap->pixel(5, 20);
    EXPECT_NEAR(farLeft.r, 1.0, 0.02);
    EXPECT_NEAR(farLeft.g, 0.1, 0.02);
    EXPECT_NEAR(farLeft.b, 0.1, 0.02);
    const platform::Color farRight = bitmap->pixel(195, 20);
    EXPECT_NEAR(farRight.r, 0.1, 0.02);
    EXPECT_NEAR(farRight.g, 0.1, 0.02);
    EXPECT_NEAR(farRight.b, 1.0, 0.02);
}

TEST(CKBlurViewRendering, OnlyTheViewsAreaIsBlurred) {
    // The blur covers the right half only: the left half stays sharp red, untinted.
    auto view = std::make_shared<CKBlurView>(CGRectMake(100, 0, 100, 40));
    auto bitmap = renderOverPattern(view);
    const platform::Color outside = bitmap->pixel(98, 20);
    EXPECT_NEAR(outside.r, 1.0, 0.01);
    EXPECT_NEAR(outside.b, 0.0, 0.01);
    // Inside, the blur reads nothing from outside its bounds: still blue at its left edge.
    const platform::Color inside = bitmap->pixel(101, 20);
    EXPECT_NEAR(inside.b, 1.0, 0.01);
    EXPECT_NEAR(inside.r, 0.0, 0.01);
}

TEST(CKBlurViewRendering, CroppingRectLimitsTheBlur) {
    auto view = std::make_shared<CKBlurView>(CGRectMake(0, 0, 200, 40));
    view->setBlurRadius(8);
    view->setBlurCroppingRect(CGRectMake(0, 0, 100, 40));  // the red half only
    auto bitmap = renderOverPattern(view);
    EXPECT_NEAR(bitmap->pixel(101, 20).r, 0.0, 0.01) << "the blue half is not blurred";
    EXPECT_NEAR(bitmap->pixel(99, 20).b, 0.0, 0.01) << "nor read by the cropped blur";

    view->setBlurCroppingRect(CGRectMake(0, 0, 200, 40));
    auto whole = renderOverPattern(view);
    EXPECT_GT(whole->pixel(101, 20).r, 0.2);
}
