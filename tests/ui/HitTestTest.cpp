#include <cmath>

#include "UiTestSupport.h"

using HitTest = UiTest;

namespace {
std::shared_ptr<UIView> add(UIView& parent, CGRect frame, long tag) {
    auto v = std::make_shared<UIView>(frame);
    v->setTag(tag);
    parent.addSubview(v);
    return v;
}
}  // namespace

TEST_F(HitTest, FindsTheDeepestFrontmostView) {
    auto a = add(*window, CGRectMake(0, 0, 200, 200), 1);
    auto b = add(*a, CGRectMake(50, 50, 50, 50), 2);
    auto c = add(*window, CGRectMake(150, 150, 100, 100), 3);  // over a's corner
    EXPECT_EQ(window->hitTest({60, 60}, nullptr), b.get());
    EXPECT_EQ(window->hitTest({160, 160}, nullptr), c.get());
    EXPECT_EQ(window->hitTest({10, 10}, nullptr), a.get());
    EXPECT_EQ(window->hitTest({300, 10}, nullptr), window.get());
    EXPECT_EQ(window->hitTest({-1, 10}, nullptr), nullptr);
    // A subview outside its superview's bounds is not reached.
    add(*b, CGRectMake(100, 100, 10, 10), 4);
    EXPECT_EQ(window->hitTest({155, 155}, nullptr), c.get());
}

TEST_F(HitTest, SkipsHiddenTransparentAndNonInteractiveViews) {
    auto a = add(*window, CGRectMake(0, 0, 100, 100), 1);
    auto b = add(*a, CGRectMake(0, 0, 100, 100), 2);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), b.get());
    b->setHidden(true);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), a.get());
    b->setHidden(false);
    b->setAlpha(0.009);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), a.get());
    b->setAlpha(0.01);
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), b.get());
    a->setUserInteractionEnabled(false);  // takes its subviews with it
    EXPECT_EQ(window->hitTest({50, 50}, nullptr), window.get());
}

TEST_F(HitTest, HonoursRotationAndScale) {
    // A 100 x 20 bar centred at (160, 240), turned a quarter: it now stands 20 wide, 100 high.
    auto bar = add(*window, CGRectMake(110, 230, 100, 20), 1);
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    EXPECT_EQ(window->hitTest({160, 200}, nullptr), bar.get());
    EXPECT_EQ(window->hitTest({200, 240}, nullptr), window.get());
    // Scaled by 2 about its centre: 200 x 40.
    bar->setTransform(CGAffineTransformMakeScale(2, 2));
    EXPECT_EQ(window->hitTest({65, 240}, nullptr), bar.get());
    EXPECT_EQ(window->hitTest({160, 255}, nullptr), bar.get());
    EXPECT_EQ(window->hitTest({160, 262}, nullptr), window.get());
    // A degenerate transform hides the view from touches.
    bar->setTransform(CGAffineTransformMakeScale(0, 1));
    EXPECT_EQ(window->hitTest({160, 240}, nullptr), window.get());
}

TEST_F(HitTest, ZeroSizeViewTakesNoTouches) {
    auto z = add(*window, CGRectMake(10, 10, 0, 0), 1);
    add(*z, CGRectMake(0, 0, 50, 50), 2);
    EXPECT_EQ(window->hitTest({20, 20}, nullptr), window.get());
}

namespace {
class WideView : public UIView {
public:
    using UIView::UIView;
    bool pointInside(CGPoint p, UIEvent*) override {
        return CGRectContainsPoint(CGRectInset(bounds(), -20, -20), p);
    }
};
}  // namespace

TEST_F(HitTest, PointInsideOverrideWidensTheTarget) {
    auto w = std::make_shared<WideView>(CGRectMake(100, 100, 10, 10));
    window->addSubview(w);
    EXPECT_EQ(window->hitTest({95, 95}, nullptr), w.get());
}

TEST_F(HitTest, ConvertPointRoundTripsThroughTransformsAndBoundsOrigins) {
    auto a = add(*window, CGRectMake(40, 30, 200, 100), 1);
    a->setTransform(CGAffineTransformRotate(CGAffineTransformMakeScale(1.5, 0.5), 0.3));
    a->setBounds(CGRectMake(25, -10, 200, 100));  // scrolled content
    auto b = add(*a, CGRectMake(10, 20, 50, 40), 2);
    b->setTransform(CGAffineTransformMakeRotation(-1.1));
    auto other = add(*window, CGRectMake(5, 5, 10, 10), 3);
    other->setTransform(CGAffineTransformMakeScale(3, 3));
    for (CGPoint p : {CGPointMake(0, 0), CGPointMake(13.5, -7), CGPointMake(49, 39)}) {
        const CGPoint there = b->convertPointToView(p, other.get());
        const CGPoint back = b->convertPointFromView(there, other.get());
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
        const CGPoint inWindow = b->convertPointToView(p, nullptr);
        const CGPoint viaOther = other->convertPointToView(there, nullptr);
        EXPECT_NEAR(inWindow.x, viaOther.x, 1e-9);
        EXPECT_NEAR(inWindow.y, viaOther.y, 1e-9);
    }
}

TEST_F(HitTest, ConvertWithBoundsOriginAndRotationGivesExpectedPoints) {
    auto a = add(*window, CGRectMake(100, 100, 100, 100), 1);
    a->setBounds(CGRectMake(50, 0, 100, 100));  // content scrolled 50 to the left
    EXPECT_EQ(a->convertPointToView({50, 0}, nullptr), CGPointMake(100, 100));
    a->setBounds(CGRectMake(0, 0, 100, 100));
    a->setTransform(CGAffineTransformMakeRotation(M_PI));  // half turn about (150, 150)
    const CGPoint p = a->convertPointToView({0, 0}, nullptr);
    EXPECT_NEAR(p.x, 200, 1e-9);
    EXPECT_NEAR(p.y, 200, 1e-9);
    const CGRect r = a->convertRectToView(CGRectMake(0, 0, 10, 20), nullptr);
    EXPECT_NEAR(r.origin.x, 190, 1e-9);
    EXPECT_NEAR(r.origin.y, 180, 1e-9);
    EXPECT_NEAR(r.size.width, 10, 1e-9);
    EXPECT_NEAR(r.size.height, 20, 1e-9);
    // Converting into a collapsed view gives the origin instead of infinities.
    a->setTransform(CGAffineTransformMakeScale(0, 0));
    EXPECT_EQ(a->convertPointFromView({5, 5}, nullptr), CGPointZero);
}
