#include <cmath>

#include "UiTestSupport.h"
#include "platform/ui/UIViewAnimationTypes.h"

using Animation = UiTest;

namespace {
double now() {
    return platform::RunLoop::main().now();
}
}  // namespace

TEST_F(Animation, ModelChangesAtOnceAndCompletionRunsAtDelayPlusDuration) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    double finishedAt = -1;
    bool finishedFlag = false;
    UIView::animateWithDuration(
        0.25, 0.1, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(0); },
        [&](bool finished) {
            finishedAt = now();
            finishedFlag = finished;
        });
    EXPECT_EQ(v->alpha(), 0);                    // model: at once
    EXPECT_EQ(v->presentationState().alpha, 1);  // shown: not yet
    run(0.1 + 0.125);                            // halfway through the movement
    EXPECT_NEAR(v->presentationState().alpha, 0.5, 1e-9);
    EXPECT_LT(finishedAt, 0);
    run(0.125);
    EXPECT_DOUBLE_EQ(finishedAt, 0.35);
    EXPECT_TRUE(finishedFlag);
    EXPECT_EQ(v->presentationState().alpha, 0);
    EXPECT_FALSE(v->hasRunningAnimations());
}

TEST_F(Animation, DelayedAnimationShowsItsStartValueUntilItBegins) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(
        1, 2, UIViewAnimationOptionCurveLinear,
        [&] {
            v->setCenter({105, 5});
        },
        nullptr);
    run(1.5);
    EXPECT_EQ(v->presentationState().center, CGPointMake(5, 5));
    run(1.0);
    EXPECT_NEAR(v->presentationState().center.x, 55, 1e-9);
}

TEST_F(Animation, EaseInOutIsSlowAtTheEndsAndSymmetric) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(1, [&] { v->setFrame(CGRectMake(100, 0, 10, 10)); });
    run(0.5);
    EXPECT_NEAR(v->presentationState().center.x, 55, 1e-6);
    run(0.4);
    const double late = v->presentationState().center.x - 5;
    EXPECT_GT(late, 90);  // ease-in-out is past 90 % at 90 % of the time
    EXPECT_LT(late, 100);
    EXPECT_NEAR(animationCurveProgress(UIViewAnimationCurveEaseIn, 0.5) +
                    animationCurveProgress(UIViewAnimationCurveEaseOut, 0.5),
                1.0, 1e-6);
}

TEST_F(Animation, ZeroDurationCompletesOnTheNextTurn) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    bool done = false;
    UIView::animateWithDuration(
        0, [&] { v->setAlpha(0.5); }, [&](bool) { done = true; });
    EXPECT_FALSE(done);
    EXPECT_EQ(v->presentationState().alpha, 0.5);
    platform::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(done);
    EXPECT_EQ(now(), 0);
}

TEST_F(Animation, SupersededAnimationStillCompletesAtItsOwnTime) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    std::vector<std::pair<int, double>> done;
    UIView::animateWithDuration(
        1, 0, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(0); },
        [&](bool f) {
            done.push_back({1, f ? now() : -1});
        });
    run(0.5);
    UIView::animateWithDuration(
        0.2, 0, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(1); },
        [&](bool f) {
            done.push_back({2, f ? now() : -1});
        });
    // The new movement starts from what was shown (0.5).
    EXPECT_NEAR(v->presentationState().alpha, 0.5, 1e-9);
    run(0.1);
    EXPECT_NEAR(v->presentationState().alpha, 0.75, 1e-9);
    run(1);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].first, 2);
    EXPECT_DOUBLE_EQ(done[0].second, 0.7);
    EXPECT_EQ(done[1].first, 1);
    EXPECT_DOUBLE_EQ(done[1].second, 1.0);
}

TEST_F(Animation, ChangeOutsideABlockStopsTheAnimation) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(1, [&] { v->setAlpha(0); });
    run(0.3);
    v->setAlpha(0.8);
    EXPECT_EQ(v->presentationState().alpha, 0.8);
}

TEST_F(Animation, RotationInterpolatesRigidly) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(
        1, 0, UIViewAnimationOptionCurveLinear,
        [&] { v->setTransform(CGAffineTransformMakeRotation(M_PI / 2)); }, nullptr);
    run(0.5);
    const CGAffineTransform t = v->presentationState().transform;
    EXPECT_TRUE(nearlyEqual(t, CGAffineTransformMakeRotation(M_PI / 4), 1e-9));
}

TEST_F(Animation, OlderFormUsesParametersAtCommitAndCallsTheLivingDelegate) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    auto delegate = std::make_shared<NSObject>();
    std::string stoppedID;
    double stoppedAt = -1;
    UIView::beginAnimations("w");
    v->setAlpha(0);
    UIView::setAnimationDuration(0.4);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDelegate(delegate);
    UIView::setAnimationDidStopSelector([&](const std::string& id, bool finished, void*) {
        stoppedID = id;
        stoppedAt = finished ? now() : -1;
    });
    UIView::commitAnimations();
    run(0.2);
    EXPECT_NEAR(v->presentationState().alpha, 0.5, 1e-9);
    run(0.2);
    EXPECT_EQ(stoppedID, "w");
    EXPECT_DOUBLE_EQ(stoppedAt, 0.4);

    // A delegate that has gone is not called.
    stoppedID.clear();
    UIView::beginAnimations("x");
    UIView::setAnimationDelegate(delegate);
    UIView::setAnimationDidStopSelector(
        [&](const std::string& id, bool, void*) { stoppedID = id; });
    v->setAlpha(1);
    UIView::commitAnimations();
    delegate.reset();
    run(1);
    EXPECT_TRUE(stoppedID.empty());
}

TEST_F(Animation, CompletionMayStartAnotherAnimation) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    std::vector<double> times;
    UIView::animateWithDuration(
        0.5, [&] { v->setAlpha(0.5); },
        [&](bool) {
            times.push_back(now());
            UIView::animateWithDuration(
                1.2, [&] { v->setAlpha(0); }, [&](bool) { times.push_back(now()); });
        });
    run(5);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_DOUBLE_EQ(times[0], 0.5);
    EXPECT_DOUBLE_EQ(times[1], 1.7);
}

TEST_F(Animation, WithoutAnimationChangesJump) {
    auto v = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    UIView::animateWithDuration(
        1, [&] { UIView::performWithoutAnimation([&] { v->setAlpha(0.2); }); });
    EXPECT_EQ(v->presentationState().alpha, 0.2);
}
