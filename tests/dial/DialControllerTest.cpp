// The selection dial's controller: angles, steps and counts per dial type as the finger turns,
// the ends of the ring, the count-down display, and what a released dial leaves behind.
#include <string>
#include <vector>

#include "DialTestSupport.h"

namespace dialtest {
namespace {

using lumora::DialViewController;

struct Expect {
    double angle;
    int step;
    int count;
};

void expectDial(const DialViewController& dial, Expect e, const std::string& what) {
    EXPECT_NEAR(dial.currentAngle(), e.angle, 1e-9) << what;
    EXPECT_EQ(dial.dialView()->step(), e.step) << what;
    EXPECT_EQ(dial.dialView()->count(), e.count) << what;
}

// Each row: one movement in degrees, then where the dial stands.
struct Move {
    double degrees;
    Expect after;
};

void play(DialViewController& dial, const std::vector<Move>& moves) {
    for (std::size_t i = 0; i < moves.size(); ++i) {
        turn(dial, moves[i].degrees);
        expectDial(dial, moves[i].after, "after move " + std::to_string(i + 1));
    }
}

class DialControllerTest : public DialTest {};

TEST_F(DialControllerTest, TimerDialStopsAtNineDegreesAndReachesThirtySecondsAtTheTop) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    EXPECT_EQ(dial->divider(), 4);
    expectDial(*dial, {36, 12, 3}, "start");
    play(*dial, {
                    {-20, {16, 5, 3}},  // below 36 degrees the count stays 3
                    {-7, {9, 3, 3}},    // down to the lowest angle, 3 x 3
                    {-0.5, {9, 3, 3}},  // below 9 degrees: refused
                    {12, {21, 7, 3}},   // step 7 is still within 4 x 3
                    {27, {48, 16, 4}},  // one count per 12 degrees
                    {150, {198, 66, 16}},
                    {150, {348, 116, 29}},
                    {11, {359, 120, 30}},  // 359 and on: the whole ring, 30 s
                    {1, {359, 120, 30}},   // 360 would be a full turn: refused as a whole
                    {0.5, {359.5, 120, 30}},
                });
}

TEST_F(DialControllerTest, TimeLapseMinutesCountOnePerSixDegreesAndSwitchToSecondsRaisesTheAngle) {
    // Set up as the camera bar does: type, then unit, then the stored count.
    auto dial = makeDial(lumora::DialViewTypeTimeLapse);
    dial->setDialViewTimeType(lumora::DialTimeTypeMinutes);
    dial->setCurrentCount(1);
    expectDial(*dial, {6, 2, 1}, "start in minutes");
    play(*dial, {
                    {-3, {3, 1, 1}},
                    {-0.1, {3, 1, 1}},  // below 3 degrees: refused
                    {9, {12, 4, 2}},
                    {6, {18, 6, 3}},
                    {-12, {6, 2, 1}},
                });
    EXPECT_EQ(dial->dialView()->readout(), "1 Minute");
    // The view's own switch goes to seconds: the count becomes 3 (step 3), and the next small
    // movement starts from the seconds' lowest angle, 9 degrees, instead of being refused.
    dial->dialView()->switchButtonTapped();
    EXPECT_EQ(dial->dialView()->count(), 3);
    turn(*dial, 0.5);
    expectDial(*dial, {9.5, 3, 3}, "first small move in seconds");
    EXPECT_EQ(dial->minTime(), 3);
}

TEST_F(DialControllerTest, ASingleMoveOfMoreThanHalfATurnIsDropped) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    turn(*dial, 10);
    // Crossing the left of the centre reports about -355 degrees for a 5-degree movement.
    turn(*dial, 5 - 360);
    expectDial(*dial, {46, 15, 3}, "after the crossing");
    turn(*dial, 5);
    expectDial(*dial, {51, 17, 4}, "the next movement counts again");
}

TEST_F(DialControllerTest, TheGesturesEndRepeatsNoMovement) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    turn(*dial, 12, UIGestureRecognizerStateBegan);
    turn(*dial, 12, UIGestureRecognizerStateEnded);
    turn(*dial, 12, UIGestureRecognizerStateFailed);
    expectDial(*dial, {48, 16, 4}, "one movement");
}

TEST_F(DialControllerTest, FrameRateDialRangesOnBothKindsOfDevice) {
    // 1 step per frame: the lowest angle is 72 degrees for 24 fps; 120 at the top.
    auto dial = makeDial(lumora::SelectorDialTypeFrames);
    EXPECT_EQ(dial->divider(), 1);
    expectDial(*dial, {72, 24, 24}, "start at the minimum");
    play(
        *dial,
        {{-1, {72, 24, 24}}, {90, {162, 54, 54}}, {100, {262, 87, 87}}, {97.5, {359.5, 120, 120}}});
    EXPECT_EQ(dial->dialView()->readout(), "120 FPS");

    // Limited to 60: two steps per frame, so the top of the ring is 60.
    lumora::state().HAS_MAX_60_FPS = true;
    auto limited = makeDial(lumora::SelectorDialTypeFrames);
    EXPECT_EQ(limited->divider(), 2);
    expectDial(*limited, {144, 48, 24}, "start at the minimum");
    play(*limited, {{-72, {72, 24, 24}},
                    {-0.5, {72, 24, 24}},
                    {108, {180, 60, 30}},
                    {108, {288, 96, 48}},
                    {71, {359, 120, 60}}});
}

TEST_F(DialControllerTest, CountsSetFromOutsideTurnTheDialAndStayOnTheRing) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    dial->setCurrentCount(5);
    expectDial(*dial, {60, 20, 5}, "5 s");
    // A hand-edited 100 s: the number is kept, the ring is full, and it turns back.
    dial->setCurrentCount(100);
    expectDial(*dial, {360, 120, 100}, "100 s");
    turn(*dial, -6);
    expectDial(*dial, {354, 118, 29}, "turned back");

    auto lapse = makeDial(lumora::DialViewTypeTimeLapse);
    lapse->setCurrentCount(300);
    EXPECT_EQ(lapse->dialView()->step(), 120) << "not running: clamped to the ring";
    lapse->setCountdownTime(300);
    expectDial(*lapse, {0, 0, 300}, "running: the seconds part of 5 minutes");
    EXPECT_EQ(lapse->dialView()->readout(), "5 Minutes 0 Seconds");
    lapse->setCountdownTime(95);
    expectDial(*lapse, {210, 70, 95}, "1 min 35 s left");
    EXPECT_EQ(lapse->dialView()->readout(), "1 Minute 35 Seconds");
    lapse->setCountdownTime(1);
    EXPECT_EQ(lapse->dialView()->readout(), "1 Second");
}

TEST_F(DialControllerTest, OneRecognizerHoweverOftenTouchIsRestoredAndNoneAfterRemoval) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    dial->addTouchAbility();
    dial->addTouchAbility();
    EXPECT_EQ(dial->dialView()->gestureRecognizers().size(), 1u);
    dial->removeTouchAbility();
    EXPECT_TRUE(dial->dialView()->gestureRecognizers().empty());
    dial->addTouchAbility();
    EXPECT_EQ(dial->dialView()->gestureRecognizers().size(), 1u);
}

TEST_F(DialControllerTest, AReleasedDialLeavesNoViewBehind) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    std::weak_ptr<UIView> view = dial->dialView();
    EXPECT_EQ(window->subviews().size(), 1u);
    dial.reset();
    EXPECT_TRUE(window->subviews().empty());
    EXPECT_TRUE(view.expired());
}

TEST_F(DialControllerTest, TheDialFollowsTheDeviceOrientationAndPlacesItsCentre) {
    auto dial = makeDial(lumora::DialViewTypeTimer);
    const CGPoint portrait = dial->dialView()->center();
    EXPECT_EQ(portrait.x, 160);
    EXPECT_EQ(portrait.y, 284);
    struct Row {
        long orientation;
        long screensize;
        CGPoint centre;
    };
    // Landscape starts from (height / 2, width / 2) of the 320 x 568 screen.
    const std::vector<Row> rows = {
        {3, 1, {234, 100}}, {4, 1, {334, 110}}, {3, 2, {184, 120}},
        {4, 3, {404, 70}},  {1, 2, {180, 314}}, {2, 3, {210, 344}},
    };
    for (const Row& r : rows) {
        lumora::state().screensize = r.screensize;
        UIDevice::currentDevice().setOrientation(r.orientation);
        EXPECT_EQ(dial->dialView()->center().x, r.centre.x) << r.orientation << "/" << r.screensize;
        EXPECT_EQ(dial->dialView()->center().y, r.centre.y) << r.orientation << "/" << r.screensize;
    }
    // Face up keeps the last placement and turn.
    const CGAffineTransform before = dial->dialView()->transform();
    UIDevice::currentDevice().setOrientation(UIDeviceOrientationFaceUp);
    EXPECT_EQ(dial->dialView()->center().x, 210);
    EXPECT_TRUE(dial->dialView()->transform() == before);
}

}  // namespace
}  // namespace dialtest
