// The dial view: which touches it takes and what they fire, its words per type and unit, and
// its ring drawn from the top clockwise.
#include "DialTestSupport.h"
#include "artwork/Palette.h"
#include "platform/graphics/BitmapContext.h"

namespace dialtest {
namespace {

using lumora::DialView;

struct CountingDelegate : lumora::DialViewDelegate {
    int actions = 0;
    void ActionButtonTapped() override { ++actions; }
};

class DialViewTest : public DialTest {
protected:
    void SetUp() override {
        DialTest::SetUp();
        view = DialView::create(CGRectMake(0, 0, 320, 568));
        delegate = std::make_shared<CountingDelegate>();
        view->setDelegate(delegate);
    }
    bool& skip() { return lumora::state().skipChangeFocusCall; }
    std::shared_ptr<DialView> view;
    std::shared_ptr<CountingDelegate> delegate;
};

TEST_F(DialViewTest, TouchesOnTheDiscTurnItTheCirclesFireOnceAndTheRestPassesThrough) {
    view->setType(lumora::DialViewTypeTimer);
    const CGPoint c = DialView::kDialCentre;
    // Exactly 120 from the centre is on the dial and fires nothing.
    EXPECT_TRUE(view->pointInside({c.x + 120, c.y}, nullptr));
    EXPECT_TRUE(skip());
    EXPECT_FALSE(view->pointInside({c.x - 125, c.y}, nullptr));
    EXPECT_FALSE(skip()) << "a touch elsewhere clears the flag";

    // The action circle: two hit tests of one touch fire once; the touch's end re-arms it.
    const CGPoint action{263.625, 323.75};
    EXPECT_TRUE(view->pointInside(action, nullptr));
    EXPECT_TRUE(view->pointInside(action, nullptr));
    EXPECT_EQ(delegate->actions, 1);
    view->touchesEnded({}, nullptr);
    EXPECT_TRUE(view->pointInside(action, nullptr));
    EXPECT_EQ(delegate->actions, 2);
    view->touchesCancelled({}, nullptr);
    EXPECT_FALSE(skip());

    // A timer dial has no switch: its circle falls through.
    const CGPoint sw{263.625, 147.875};
    EXPECT_FALSE(view->pointInside(sw, nullptr));
    EXPECT_EQ(view->timeType(), lumora::DialTimeTypeSeconds);
}

TEST_F(DialViewTest, TheSwitchRegionTogglesTheUnitOncePerTouchEvenWhenNotDrawn) {
    view->setType(lumora::DialViewTypeTimeLapse);
    view->setTimeType(lumora::DialTimeTypeSeconds);
    const CGPoint sw{263.625, 147.875};
    EXPECT_TRUE(view->pointInside(sw, nullptr));
    EXPECT_TRUE(view->pointInside(sw, nullptr));
    EXPECT_EQ(view->timeType(), lumora::DialTimeTypeMinutes);
    view->touchesEnded({}, nullptr);

    // Hiding the switch (a running series) does not take its region away.
    view->setHideSwitchDial(true);
    EXPECT_TRUE(view->pointInside(sw, nullptr));
    EXPECT_EQ(view->timeType(), lumora::DialTimeTypeSeconds);
    EXPECT_EQ(delegate->actions, 0);
}

TEST_F(DialViewTest, UnitWordsFollowTheLastSetterAndThePlural) {
    view->setType(lumora::DialViewTypeTimer);
    view->setCount(10);
    EXPECT_EQ(view->readout(), "10 SECs") << "the type's own word until a unit is set";
    view->setTimeType(lumora::DialTimeTypeMinutes);
    view->setCount(1);
    EXPECT_EQ(view->readout(), "1 Minute");
    view->setTimeType(lumora::DialTimeTypeSeconds);
    EXPECT_EQ(view->readout(), "3 Seconds") << "seconds raise a count below 3";
    EXPECT_EQ(view->step(), 3);
    view->setType(lumora::SelectorDialTypeFrames);
    view->setCount(1);
    EXPECT_EQ(view->readout(), "1 FPS");
    EXPECT_EQ(view->actionTitle(), "Set");
}

TEST_F(DialViewTest, TheRingLightsStepSegmentsFromTheTopClockwiseAndNeverMore) {
    view->setType(lumora::DialViewTypeTimer);
    platform::BitmapContext ctx(320, 568);
    const auto ringAt = [&](double degrees) {
        const double rad = (degrees - 90) * M_PI / 180;
        const double r = 110.5;
        return ctx.pixel(static_cast<int>(DialView::kDialCentre.x + r * std::cos(rad)),
                         static_cast<int>(DialView::kDialCentre.y + r * std::sin(rad)));
    };
    const auto isAmber = [](const platform::Color& p) {
        return p.a > 0.9 && p.r > 0.9 && p.g > 0.7 && p.g < 0.9 && p.b < 0.1;
    };
    view->setStep(30);  // a quarter of the ring
    view->drawRect(ctx, view->bounds());
    EXPECT_TRUE(isAmber(ringAt(1.5)));
    EXPECT_TRUE(isAmber(ringAt(88.5)));
    EXPECT_FALSE(isAmber(ringAt(91.5)));
    EXPECT_FALSE(isAmber(ringAt(358.5)));

    view->setStep(500);  // a stored count far out of range
    EXPECT_EQ(view->step(), DialView::kSegments);
    view->setStep(-4);
    EXPECT_EQ(view->step(), 0);
}

}  // namespace
}  // namespace dialtest
