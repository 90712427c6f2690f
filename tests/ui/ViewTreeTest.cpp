#include <cmath>

#include "UiTestSupport.h"

namespace {

std::shared_ptr<UIView> makeView(CGRect frame, long tag = 0) {
    auto v = std::make_shared<UIView>(frame);
    v->setTag(tag);
    return v;
}

std::vector<long> tags(const UIView& v) {
    std::vector<long> out;
    for (const auto& s : v.subviews()) out.push_back(s->tag());
    return out;
}

}  // namespace

using ViewTree = UiTest;

TEST_F(ViewTree, SubviewOrderOperations) {
    auto root = makeView(CGRectMake(0, 0, 100, 100));
    auto a = makeView(CGRectZero, 1), b = makeView(CGRectZero, 2), c = makeView(CGRectZero, 3);
    root->addSubview(a);
    root->addSubview(b);
    root->addSubview(c);
    EXPECT_EQ(tags(*root), (std::vector<long>{1, 2, 3}));
    root->bringSubviewToFront(a.get());
    EXPECT_EQ(tags(*root), (std::vector<long>{2, 3, 1}));
    root->sendSubviewToBack(a.get());
    EXPECT_EQ(tags(*root), (std::vector<long>{1, 2, 3}));
    auto d = makeView(CGRectZero, 4);
    root->insertSubview(d, 1);
    EXPECT_EQ(tags(*root), (std::vector<long>{1, 4, 2, 3}));
    root->insertSubviewBelow(c, a.get());  // moving an existing subview
    EXPECT_EQ(tags(*root), (std::vector<long>{3, 1, 4, 2}));
    root->insertSubviewAbove(c, b.get());
    EXPECT_EQ(tags(*root), (std::vector<long>{1, 4, 2, 3}));
    root->insertSubview(makeView(CGRectZero, 5), 99);  // past the end: on top
    EXPECT_EQ(tags(*root).back(), 5);
    root->addSubview(a);  // re-adding brings to front without duplicating
    EXPECT_EQ(tags(*root), (std::vector<long>{4, 2, 3, 5, 1}));
}

TEST_F(ViewTree, MovingBetweenSuperviewsAndRefusingCycles) {
    auto p1 = makeView(CGRectZero), p2 = makeView(CGRectZero), child = makeView(CGRectZero, 7);
    p1->addSubview(child);
    p2->addSubview(child);
    EXPECT_TRUE(p1->subviews().empty());
    EXPECT_EQ(child->superview(), p2.get());
    child->addSubview(p2);  // p2 is child's ancestor: refused
    EXPECT_TRUE(child->subviews().empty());
    EXPECT_EQ(p2->superview(), nullptr);
    p2->addSubview(p2);
    EXPECT_EQ(p2->subviews().size(), 1u);
    EXPECT_EQ(p2->viewWithTag(7), child.get());
    EXPECT_EQ(p2->viewWithTag(8), nullptr);
    p2->addSubview(nullptr);
    EXPECT_EQ(p2->subviews().size(), 1u);
}

TEST_F(ViewTree, SuperviewGoingClearsTheObserver) {
    auto child = makeView(CGRectZero);
    {
        auto parent = makeView(CGRectZero);
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST_F(ViewTree, RemovedViewIsReleasedOnTheNextTurn) {
    auto parent = makeView(CGRectZero);
    std::weak_ptr<UIView> weak;
    {
        auto child = makeView(CGRectZero);
        weak = child;
        parent->addSubview(child);
    }
    UIView* raw = weak.lock().get();
    raw->removeFromSuperview();  // the superview held the last reference
    EXPECT_FALSE(weak.expired());
    platform::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weak.expired());
}

TEST_F(ViewTree, WindowIsTheRootWindow) {
    auto a = makeView(CGRectZero), b = makeView(CGRectZero);
    a->addSubview(b);
    EXPECT_EQ(b->window(), nullptr);
    window->addSubview(a);
    EXPECT_EQ(b->window(), window.get());
    EXPECT_TRUE(window->isKeyWindow());
}

TEST_F(ViewTree, FrameFollowsCentreBoundsAndTransform) {
    auto v = makeView(CGRectMake(10, 20, 100, 50));
    EXPECT_EQ(v->center(), CGPointMake(60, 45));
    EXPECT_EQ(v->bounds(), CGRectMake(0, 0, 100, 50));
    v->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    const CGRect f = v->frame();  // a quarter turn about the centre
    EXPECT_NEAR(f.origin.x, 35, 1e-9);
    EXPECT_NEAR(f.origin.y, -5, 1e-9);
    EXPECT_NEAR(f.size.width, 50, 1e-9);
    EXPECT_NEAR(f.size.height, 100, 1e-9);
    // Setting the frame under the rotation swaps the bounds size back.
    v->setFrame(CGRectMake(0, 0, 30, 80));
    EXPECT_NEAR(v->bounds().size.width, 80, 1e-9);
    EXPECT_NEAR(v->bounds().size.height, 30, 1e-9);
    EXPECT_EQ(v->center(), CGPointMake(15, 40));
    v->setFrame(CGRectMake(NAN, 0, 1, 1));  // ignored
    EXPECT_EQ(v->center(), CGPointMake(15, 40));
}

namespace {
class SizedView : public UIView {
public:
    using UIView::UIView;
    CGSize sizeThatFits(CGSize) const override { return {33, 11}; }
    void layoutSubviews() override { ++layouts; }
    int layouts = 0;
};
}  // namespace

TEST_F(ViewTree, SizeToFitKeepsOriginAndLayoutRunsWhenMarked) {
    auto v = std::make_shared<SizedView>(CGRectMake(5, 6, 100, 100));
    v->sizeToFit();
    EXPECT_EQ(v->frame(), CGRectMake(5, 6, 33, 11));
    v->layoutIfNeeded();
    EXPECT_EQ(v->layouts, 1);
    v->layoutIfNeeded();
    EXPECT_EQ(v->layouts, 1);
    v->setBounds(CGRectMake(0, 0, 40, 40));  // a new size needs layout
    v->layoutIfNeeded();
    EXPECT_EQ(v->layouts, 2);
    v->setNeedsLayout();
    v->layoutIfNeeded();
    EXPECT_EQ(v->layouts, 3);
}
