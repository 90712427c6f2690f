#include <cmath>

#include "UiTestSupport.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIVisualEffectView.h"

using platform::BitmapContext;
using platform::Color;
using platform::RenderOptions;
using platform::ScreenRenderer;

namespace {

bool near(const Color& a, const Color& b, double eps = 0.02) {
    return std::fabs(a.r - b.r) <= eps && std::fabs(a.g - b.g) <= eps &&
           std::fabs(a.b - b.b) <= eps && std::fabs(a.a - b.a) <= eps;
}

std::shared_ptr<UIView> box(UIView& parent, CGRect frame, UIColor color) {
    auto v = std::make_shared<UIView>(frame);
    v->setBackgroundColor(color);
    parent.addSubview(v);
    return v;
}

}  // namespace

class Renderer : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window->setFrame(CGRectMake(0, 0, 40, 40));
        window->setBackgroundColor(UIColor::whiteColor());
    }
    // Renders the 40 x 40 point window at 2 pixels per point.
    std::unique_ptr<BitmapContext> render() {
        RenderOptions o;
        o.size = {40, 40};
        o.scale = 2;
        return ScreenRenderer::render(*window, o);
    }
    // The colour at a point (in window points).
    static Color at(const BitmapContext& ctx, double x, double y) {
        return ctx.pixel(static_cast<int>(x * 2), static_cast<int>(y * 2));
    }
};

TEST_F(Renderer, SubviewFillsItsFrameAtTheScreenScale) {
    box(*window, CGRectMake(10, 10, 10, 5), UIColor::redColor());
    auto ctx = render();
    ASSERT_EQ(ctx->pixelWidth(), 80);
    EXPECT_TRUE(near(at(*ctx, 10.25, 10.25), Color::rgb(1, 0, 0)));
    EXPECT_TRUE(near(at(*ctx, 19.75, 14.75), Color::rgb(1, 0, 0)));
    EXPECT_TRUE(near(at(*ctx, 20.25, 10.25), Color::rgb(1, 1, 1)));
    EXPECT_TRUE(near(at(*ctx, 10.25, 15.25), Color::rgb(1, 1, 1)));
}

TEST_F(Renderer, HiddenAndTransparentViewsAreNotDrawnAndAlphaBlends) {
    auto v = box(*window, CGRectMake(0, 0, 20, 20), UIColor::redColor());
    v->setHidden(true);
    auto ctx = render();
    EXPECT_TRUE(near(at(*ctx, 5, 5), Color::rgb(1, 1, 1)));
    v->setHidden(false);
    v->setAlpha(0.5);
    box(*v, CGRectMake(10, 10, 10, 10), UIColor::blueColor());  // a group: one layer at 0.5
    ctx = render();
    EXPECT_TRUE(near(at(*ctx, 5, 5), Color::rgb(1, 0.5, 0.5)));
    EXPECT_TRUE(near(at(*ctx, 15, 15), Color::rgb(0.5, 0.5, 1)));
}

TEST_F(Renderer, RotatedViewCoversTheRotatedArea) {
    // A 30 x 6 bar centred at (20, 20), turned a quarter: pixels above and below the centre.
    auto bar = box(*window, CGRectMake(5, 17, 30, 6), UIColor::redColor());
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    auto ctx = render();
    EXPECT_TRUE(near(at(*ctx, 20, 7), Color::rgb(1, 0, 0)));
    EXPECT_TRUE(near(at(*ctx, 20, 33), Color::rgb(1, 0, 0)));
    EXPECT_TRUE(near(at(*ctx, 8, 20), Color::rgb(1, 1, 1)));
}

TEST_F(Renderer, ClippingBoundsOriginAndCornerMask) {
    auto clip = box(*window, CGRectMake(10, 10, 20, 20), UIColor::clearColor());
    clip->setClipsToBounds(true);
    clip->setBounds(CGRectMake(5, 0, 20, 20));  // content shifted 5 points left
    box(*clip, CGRectMake(0, 0, 40, 10), UIColor::blueColor());
    auto ctx = render();
    EXPECT_TRUE(near(at(*ctx, 12, 12), Color::rgb(0, 0, 1)));
    EXPECT_TRUE(near(at(*ctx, 31, 12), Color::rgb(1, 1, 1)));  // clipped at the right edge
    EXPECT_TRUE(near(at(*ctx, 12, 22), Color::rgb(1, 1, 1)));

    auto round = box(*window, CGRectMake(0, 0, 10, 10), UIColor::redColor());
    round->layer().setCornerRadius(5);
    round->layer().setMasksToBounds(true);
    ctx = render();
    EXPECT_TRUE(near(at(*ctx, 0.25, 0.25), Color::rgb(1, 1, 1)));  // the corner is cut
    EXPECT_TRUE(near(at(*ctx, 5, 5), Color::rgb(1, 0, 0)));
}

TEST_F(Renderer, ScreenshotMidAnimationShowsThePresentationValue) {
    auto v = box(*window, CGRectMake(0, 0, 10, 10), UIColor::redColor());
    UIView::animateWithDuration(
        1, 0, UIViewAnimationOptionCurveLinear, [&] { v->setFrame(CGRectMake(20, 0, 10, 10)); },
        nullptr);
    run(0.5);
    auto ctx = render();
    EXPECT_TRUE(near(at(*ctx, 15, 5), Color::rgb(1, 0, 0)));
    EXPECT_TRUE(near(at(*ctx, 5, 5), Color::rgb(1, 1, 1)));
    EXPECT_TRUE(near(at(*ctx, 25, 5), Color::rgb(1, 1, 1)));
}

TEST_F(Renderer, DrawRectGetsTheContextInOwnCoordinatesClippedToBounds) {
    class Cross : public UIView {
    public:
        using UIView::UIView;
        void drawRect(platform::GraphicsContext& ctx, CGRect rect) override {
            received = rect;
            ctx.setFillColor(Color::rgb(0, 1, 0));
            ctx.fillRect(CGRectMake(0, 0, 100, 2));  // overflows the bounds
        }
        CGRect received{};
    };
    auto v = std::make_shared<Cross>(CGRectMake(10, 10, 10, 10));
    window->addSubview(v);
    auto ctx = render();
    EXPECT_EQ(v->received, CGRectMake(0, 0, 10, 10));
    EXPECT_TRUE(near(at(*ctx, 15, 11), Color::rgb(0, 1, 0)));
    EXPECT_TRUE(near(at(*ctx, 25, 11), Color::rgb(1, 1, 1)));
    EXPECT_FALSE(v->needsDisplay());
}

TEST_F(Renderer, BlurBackdropSamplesWhatIsBelow) {
    box(*window, CGRectMake(0, 0, 20, 40), UIColor::blackColor());  // black left, white right
    auto blur = std::make_shared<UIVisualEffectView>(
        UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight), CGRectMake(10, 0, 20, 40));
    window->addSubview(blur);
    auto ctx = render();
    // At the edge the blur mixes black and white; far away it keeps the light side.
    const Color edge = at(*ctx, 20, 20);
    EXPECT_GT(edge.r, 0.3);
    EXPECT_LT(edge.r, 0.9);
    EXPECT_TRUE(near(at(*ctx, 5, 20), Color::rgb(0, 0, 0)));
}

TEST_F(Renderer, LabelTextIsDrawnAndEmptyOrMissingContentDrawsNothing) {
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 40, 20));
    label->setText("MMMM");
    label->setFont(UIFont::fontWithName("DINAlternate-Bold", 18));
    label->setTextColor(UIColor::blackColor());
    label->setTextAlignment(NSTextAlignmentCenter);
    window->addSubview(label);
    auto ctx = render();
    int dark = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 80; ++x) dark += ctx->pixel(x, y).r < 0.5 ? 1 : 0;
    }
    EXPECT_GT(dark, 50);
    label->setText("");
    auto image = std::make_shared<UIImageView>(UIImage::imageWithContentsOfFile("/no/such.png"));
    image->setFrame(CGRectMake(0, 0, 40, 40));
    window->addSubview(image);
    box(*window, CGRectMake(5, 5, 0, 0), UIColor::redColor());
    box(*window, CGRectMake(5, 5, 10, 10), UIColor::redColor())
        ->setTransform(CGAffineTransformMakeScale(0, 0));
    ctx = render();
    for (int y = 0; y < 80; y += 3) {
        for (int x = 0; x < 80; x += 3) ASSERT_TRUE(near(ctx->pixel(x, y), Color::rgb(1, 1, 1)));
    }
}

TEST_F(Renderer, ShrinkingLabelFitsItsWidth) {
    UILabel label(CGRectMake(0, 0, 30, 15));
    label.setText("A long caption");
    label.setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
    label.setAdjustsFontSizeToFitWidth(true);
    EXPECT_EQ(label.effectiveFontSize(), 13);  // no minimum scale: no shrinking
    label.setMinimumScaleFactor(9.0 / 13);
    EXPECT_NEAR(label.effectiveFontSize(), 9, 1e-9);  // far too long: the minimum
    label.setText("AB");
    EXPECT_EQ(label.effectiveFontSize(), 13);
}

TEST_F(Renderer, KernedAttributedTextIsWiderThanPlain) {
    UILabel plain, kerned;
    plain.setText("ABC");
    NSAttributedString s("ABC");
    NSAttributes kern;
    kern.kern = 2.0;
    s.addAttributes(kern, {0, s.length()});
    kerned.setAttributedText(s);
    EXPECT_EQ(kerned.text(), "ABC");
    EXPECT_NEAR(kerned.sizeThatFits({}).width - plain.sizeThatFits({}).width, 6, 1.01);
}
