#include <cmath>

#include "UiTestSupport.h"
#include "platform/ui/UILongPressGestureRecognizer.h"
#include "platform/ui/UIPanGestureRecognizer.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "platform/ui/UITouch.h"

namespace {

// Records the touches a view receives.
class TouchLog : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet&, UIEvent*) override { log += "B"; }
    void touchesMoved(const UITouchSet&, UIEvent*) override { log += "M"; }
    void touchesEnded(const UITouchSet&, UIEvent*) override { log += "E"; }
    void touchesCancelled(const UITouchSet&, UIEvent*) override { log += "C"; }
    std::string log;
};

// The states a recogniser's action saw, as digits.
template <class R>
std::shared_ptr<R> attach(UIView& view, std::string& states) {
    auto gr = std::make_shared<R>(nullptr, [&states](UIGestureRecognizer* g) {
        states += std::to_string(static_cast<int>(g->state()));
    });
    view.addGestureRecognizer(gr);
    return gr;
}

// One-finger rotation about the view's centre: begins with the first move, reports the angle
// swept by each move, ends on lift after at least two moves and fails otherwise.
class RotationRecognizer : public UIGestureRecognizer {
public:
    using UIGestureRecognizer::UIGestureRecognizer;
    void touchesMoved(const UITouchSet& touches, UIEvent*) override {
        setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateBegan
                                                             : UIGestureRecognizerStateChanged);
        const UITouch* t = touches.anyObject();
        const CGRect b = view()->bounds();
        const CGPoint c{CGRectGetMidX(b), CGRectGetMidY(b)};
        const CGPoint p = t->locationInView(view()), q = t->previousLocationInView(view());
        rotation = std::atan2(p.y - c.y, p.x - c.x) - std::atan2(q.y - c.y, q.x - c.x);
    }
    void touchesEnded(const UITouchSet&, UIEvent*) override {
        setState(state() == UIGestureRecognizerStateChanged ? UIGestureRecognizerStateEnded
                                                            : UIGestureRecognizerStateFailed);
    }
    void touchesCancelled(const UITouchSet&, UIEvent*) override {
        setState(UIGestureRecognizerStateFailed);
    }
    double rotation = 0;
};

}  // namespace

class Gestures : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        view = std::make_shared<TouchLog>(CGRectMake(50, 50, 200, 200));
        window->addSubview(view);
    }
    std::shared_ptr<TouchLog> view;
    std::string states;
};

TEST_F(Gestures, WithoutRecognisersTheViewGetsTheTouches) {
    down({100, 100});
    move({101, 101});
    up({101, 101});
    EXPECT_EQ(view->log, "BME");
}

TEST_F(Gestures, TapRecognisesOnLiftAndCancelsTheViewsTouch) {
    attach<UITapGestureRecognizer>(*view, states);
    tap({100, 100});
    EXPECT_EQ(states, "3");
    EXPECT_EQ(view->log, "BC");
    // The recogniser is ready for the next tap.
    tap({100, 100});
    EXPECT_EQ(states, "33");
}

TEST_F(Gestures, TapFailsWhenTheFingerWanders) {
    attach<UITapGestureRecognizer>(*view, states);
    down({100, 100});
    move({120, 100});
    up({120, 100});
    EXPECT_EQ(states, "");
    EXPECT_EQ(view->log, "BME");
}

TEST_F(Gestures, DoubleTapNeedsTheSecondTapInTime) {
    auto gr = attach<UITapGestureRecognizer>(*view, states);
    gr->setNumberOfTapsRequired(2);
    tap({100, 100});
    run(0.2);
    tap({102, 100});
    EXPECT_EQ(states, "3");
    tap({100, 100});
    run(0.5);  // too late for a second tap
    tap({100, 100});
    EXPECT_EQ(states, "3");
}

TEST_F(Gestures, RecogniserOnAnAncestorSeesTouchesInSubviews) {
    auto child = std::make_shared<TouchLog>(CGRectMake(10, 10, 50, 50));
    view->addSubview(child);
    attach<UITapGestureRecognizer>(*view, states);
    tap({70, 70});
    EXPECT_EQ(states, "3");
    EXPECT_EQ(child->log, "BC");
}

TEST_F(Gestures, LongPressBeginsAfterHalfASecondOnTheVirtualClock) {
    attach<UILongPressGestureRecognizer>(*view, states);
    down({100, 100});
    run(0.49);
    EXPECT_EQ(states, "");
    EXPECT_EQ(view->log, "B");
    run(0.01);
    EXPECT_EQ(states, "1");
    EXPECT_EQ(view->log, "BC");  // cancelled as soon as the press is recognised
    move({105, 100});
    up({105, 100});
    EXPECT_EQ(states, "123");
    EXPECT_EQ(view->log, "BC");
}

TEST_F(Gestures, LongPressFailsWhenLiftedEarly) {
    attach<UILongPressGestureRecognizer>(*view, states);
    down({100, 100});
    run(0.3);
    up({100, 100});
    run(1);
    EXPECT_EQ(states, "");
    EXPECT_EQ(view->log, "BE");
}

TEST_F(Gestures, PanReportsTranslationAndVelocity) {
    std::vector<CGPoint> translations;
    auto pan = std::make_shared<UIPanGestureRecognizer>(nullptr, [&](UIGestureRecognizer* g) {
        states += std::to_string(static_cast<int>(g->state()));
        translations.push_back(static_cast<UIPanGestureRecognizer*>(g)->translationInView(nullptr));
    });
    view->addGestureRecognizer(pan);
    down({100, 100});
    run(0.1);
    move({105, 100});  // within the hysteresis
    EXPECT_EQ(states, "");
    run(0.1);
    move({120, 100});
    run(0.1);
    move({140, 110});
    EXPECT_NEAR(pan->velocityInView(nullptr).x, 200, 1e-6);
    EXPECT_NEAR(pan->velocityInView(nullptr).y, 100, 1e-6);
    up({140, 110});
    EXPECT_EQ(states, "123");
    ASSERT_EQ(translations.size(), 3u);
    EXPECT_EQ(translations[0], CGPointMake(20, 0));
    EXPECT_EQ(translations[1], CGPointMake(40, 10));
    EXPECT_EQ(view->log, "BMC");
}

TEST_F(Gestures, PanTranslationIsInTheGivenViewsCoordinates) {
    view->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    auto pan = attach<UIPanGestureRecognizer>(*view, states);
    down({150, 150});
    run(0.1);
    move({150, 180});  // down the screen = +x in the rotated view
    const CGPoint t = pan->translationInView(view.get());
    EXPECT_NEAR(t.x, 30, 1e-9);
    EXPECT_NEAR(t.y, 0, 1e-9);
    up({150, 180});
}

TEST_F(Gestures, CustomRecogniserSubclassDrivesTheStateMachine) {
    auto rot = attach<RotationRecognizer>(*view, states);
    const CGPoint c{150, 150};  // the view's centre in the window
    down({c.x + 10, c.y});
    move({c.x, c.y + 10});
    EXPECT_NEAR(rot->rotation, M_PI / 2, 1e-9);
    move({c.x - 10, c.y});
    up({c.x - 10, c.y});
    EXPECT_EQ(states, "123");
    // A single move then lift: began, then failed (no action for the failure).
    states.clear();
    down({c.x + 10, c.y});
    move({c.x, c.y + 10});
    up({c.x, c.y + 10});
    EXPECT_EQ(states, "1");
    EXPECT_EQ(rot->state(), UIGestureRecognizerStatePossible);  // reset after the sequence
}

TEST_F(Gestures, OnlyOneRecogniserWinsUnlessTheDelegateAllowsBoth) {
    std::string tapStates;
    attach<UITapGestureRecognizer>(*view, tapStates);
    auto press = attach<UILongPressGestureRecognizer>(*view, states);
    down({100, 100});
    run(0.6);
    up({100, 100});
    EXPECT_EQ(states, "13");
    EXPECT_EQ(tapStates, "");  // failed when the long press began

    class Both : public UIGestureRecognizerDelegate {
        bool gestureRecognizerShouldRecognizeSimultaneously(UIGestureRecognizer*,
                                                            UIGestureRecognizer*) override {
            return true;
        }
    };
    auto both = std::make_shared<Both>();
    press->setDelegate(both);
    press->setMinimumPressDuration(0);
    states.clear();
    tap({100, 100});
    run(0.01);
    EXPECT_EQ(tapStates, "3");
}

TEST_F(Gestures, DelegateMayRefuseTouchesAndDisabledRecognisersSeeNothing) {
    class Refuse : public UIGestureRecognizerDelegate {
        bool gestureRecognizerShouldReceiveTouch(UIGestureRecognizer*, UITouch*) override {
            return false;
        }
    };
    auto refuse = std::make_shared<Refuse>();
    auto gr = attach<UITapGestureRecognizer>(*view, states);
    gr->setDelegate(refuse);
    tap({100, 100});
    EXPECT_EQ(states, "");
    EXPECT_EQ(view->log, "BE");
    refuse.reset();  // the delegate is held weakly: gone means no questions
    gr->setEnabled(false);
    tap({100, 100});
    EXPECT_EQ(states, "");
    gr->setEnabled(true);
    tap({100, 100});
    EXPECT_EQ(states, "3");
}

TEST_F(Gestures, WeakTargetThatHasGoneIsSkipped) {
    auto target = std::make_shared<NSObject>();
    int calls = 0;
    auto gr =
        std::make_shared<UITapGestureRecognizer>(target, [&](UIGestureRecognizer*) { ++calls; });
    view->addGestureRecognizer(gr);
    tap({100, 100});
    target.reset();
    tap({100, 100});
    EXPECT_EQ(calls, 1);
}

TEST_F(Gestures, TouchKnowsItsViewTapCountAndLocations) {
    view->setBounds(CGRectMake(100, 0, 200, 200));  // content offset inside the view
    UITouch* seen = nullptr;
    CGPoint local{}, previous{};
    int tapCount = 0;
    class Probe : public UIView {
    public:
        using UIView::UIView;
        std::function<void(const UITouchSet&)> onMove;
        std::function<void(const UITouchSet&)> onBegin;
        void touchesBegan(const UITouchSet& t, UIEvent*) override { onBegin(t); }
        void touchesMoved(const UITouchSet& t, UIEvent*) override { onMove(t); }
    };
    auto probe = std::make_shared<Probe>(CGRectMake(100, 0, 100, 100));
    probe->onBegin = [&](const UITouchSet& t) { tapCount = t.anyObject()->tapCount(); };
    probe->onMove = [&](const UITouchSet& t) {
        seen = t.anyObject();
        local = seen->locationInView(probe.get());
        previous = seen->previousLocationInView(probe.get());
    };
    view->addSubview(probe);
    // Window (60, 60) is view (110, 10), probe (10, 10).
    down({60, 60});
    move({70, 65});
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->view(), probe.get());
    EXPECT_EQ(local, CGPointMake(20, 15));
    EXPECT_EQ(previous, CGPointMake(10, 10));
    up({70, 65});
    EXPECT_EQ(tapCount, 1);
    run(0.1);
    down({70, 65});
    EXPECT_EQ(tapCount, 2);
    up({70, 65});
}
