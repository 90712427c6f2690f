// The one-finger rotation: the angle of each movement about the view's centre, in single
// precision and not unwrapped, and the recogniser's states as the finger moves and lifts.
#include <vector>

#include "DialTestSupport.h"

namespace dialtest {
namespace {

using lumora::KTOneFingerRotationGestureRecognizer;

TEST(RotationAngle, EachMovementGivesTheAngleSweptAboutTheCentreInSinglePrecision) {
    const CGPoint c{100, 100};
    struct Row {
        CGPoint from, to;
        double want;
    };
    const float justBelowPi = std::atan2(0.01f, -10.0f);
    // Single precision shows in the result: a quarter turn is pi / 2 rounded to a float.
    const double quarter = static_cast<float>(M_PI / 2);
    const std::vector<Row> rows = {
        {{110, 100}, {100, 110}, quarter},   // a quarter turn clockwise on screen
        {{100, 110}, {110, 100}, -quarter},  // and back
        {{100, 100}, {110, 100}, 0},         // from the centre itself: atan2(0, 0) = 0
        // Across the line left of the centre: nearly a full turn, not a small angle.
        {{90, 99.99}, {90, 100.01}, static_cast<double>(justBelowPi - (-justBelowPi))},
        {{90, 100.01}, {90, 99.99}, static_cast<double>(-justBelowPi - justBelowPi)},
    };
    for (const Row& r : rows) {
        const double got = KTOneFingerRotationGestureRecognizer::sweptAngle(c, r.from, r.to);
        EXPECT_DOUBLE_EQ(got, r.want)
            << r.from.x << "," << r.from.y << " -> " << r.to.x << "," << r.to.y;
    }
    EXPECT_GT(KTOneFingerRotationGestureRecognizer::sweptAngle(c, {90, 99.99}, {90, 100.01}),
              1.99 * M_PI);
}

class RotationStatesTest : public DialTest {
protected:
    void SetUp() override {
        DialTest::SetUp();
        view = std::make_shared<UIView>(CGRectMake(0, 0, 200, 200));
        window->addSubview(view);
        recognizer = std::make_shared<KTOneFingerRotationGestureRecognizer>(
            nullptr, [this](UIGestureRecognizer* g) {
                auto* r = static_cast<KTOneFingerRotationGestureRecognizer*>(g);
                seen.push_back({g->state(), r->rotation()});
            });
        view->addGestureRecognizer(recognizer);
    }
    static void send(UITouchPhase phase, CGPoint p) {
        UIApplication::sharedApplication().sendTouch(1, phase, p);
    }
    struct Seen {
        UIGestureRecognizerState state;
        double rotation;
    };
    std::shared_ptr<UIView> view;
    std::shared_ptr<KTOneFingerRotationGestureRecognizer> recognizer;
    std::vector<Seen> seen;
};

TEST_F(RotationStatesTest, BeganOnFirstMoveChangedAfterEndedOnLiftEachWithItsOwnMovement) {
    send(UITouchPhaseBegan, {110, 100});
    EXPECT_TRUE(seen.empty()) << "the touch alone begins nothing";
    send(UITouchPhaseMoved, {100, 110});  // +90 degrees about (100, 100)
    send(UITouchPhaseMoved, {90, 100});   // +90 more
    send(UITouchPhaseMoved, {90, 100});   // no movement
    send(UITouchPhaseEnded, {90, 100});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].state, UIGestureRecognizerStateBegan);
    EXPECT_NEAR(seen[0].rotation, M_PI / 2, 1e-6);
    EXPECT_EQ(seen[1].state, UIGestureRecognizerStateChanged);
    EXPECT_NEAR(seen[1].rotation, M_PI / 2, 1e-6) << "per movement, not accumulated";
    EXPECT_EQ(seen[2].state, UIGestureRecognizerStateChanged);
    EXPECT_EQ(seen[2].rotation, 0);
    EXPECT_EQ(seen[3].state, UIGestureRecognizerStateEnded);
}

TEST_F(RotationStatesTest, OneMoveThenLiftFails) {
    send(UITouchPhaseBegan, {110, 100});
    send(UITouchPhaseMoved, {100, 110});
    send(UITouchPhaseEnded, {100, 110});
    ASSERT_EQ(seen.size(), 1u) << "began, then failed: no ended";
    EXPECT_EQ(seen[0].state, UIGestureRecognizerStateBegan);
}

}  // namespace
}  // namespace dialtest
