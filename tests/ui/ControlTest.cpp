#include "UiTestSupport.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"

class Controls : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        button = UIButton::buttonWithType(UIButtonTypeCustom);
        button->setFrame(CGRectMake(100, 100, 50, 50));
        window->addSubview(button);
        target = std::make_shared<NSObject>();
        button->addTarget(
            target, [this](UIControl*, UIEvent*) { events += "D"; }, UIControlEventTouchDown);
        button->addTarget(
            target, [this](UIControl*, UIEvent*) { events += "I"; }, UIControlEventTouchUpInside);
        button->addTarget(
            target, [this](UIControl*, UIEvent*) { events += "O"; }, UIControlEventTouchUpOutside);
        button->addTarget(
            target, [this](UIControl*, UIEvent*) { events += "X"; }, UIControlEventTouchCancel);
    }
    std::shared_ptr<UIButton> button;
    std::shared_ptr<NSObject> target;
    std::string events;
};

TEST_F(Controls, TouchUpInsideAndHighlightWhileTracking) {
    down({120, 120});
    EXPECT_TRUE(button->isHighlighted());
    EXPECT_EQ(button->state(), UIControlStateHighlighted);
    up({120, 120});
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(events, "DI");
}

TEST_F(Controls, LiftWithinTheSlopCountsInsideAndBeyondItOutside) {
    down({120, 120});
    move({200, 120});  // 50 points past the right edge
    EXPECT_TRUE(button->isHighlighted());
    up({200, 120});
    down({120, 120});
    move({300, 120});
    EXPECT_FALSE(button->isHighlighted());
    up({300, 120});
    EXPECT_EQ(events, "DIDO");
}

TEST_F(Controls, DisabledControlSendsNothingAndGoneTargetIsSkipped) {
    button->setEnabled(false);
    EXPECT_EQ(button->state(), UIControlStateDisabled);
    tap({120, 120});
    EXPECT_EQ(events, "");
    button->setEnabled(true);
    target.reset();
    tap({120, 120});
    EXPECT_EQ(events, "");
    int untargeted = 0;
    button->addTarget(
        nullptr, [&](UIControl*, UIEvent*) { ++untargeted; }, UIControlEventTouchUpInside);
    tap({120, 120});
    EXPECT_EQ(untargeted, 1);
    button->removeTarget(nullptr, UIControlEventAllEvents);
    EXPECT_EQ(button->actionCount(UIControlEventAllEvents), 0u);
}

TEST_F(Controls, ButtonTitlesFallBackToTheNormalState) {
    button->setTitle("Start", UIControlStateNormal);
    button->setTitle("Go", UIControlStateSelected);
    button->setTitleColor(UIColor::redColor(), UIControlStateNormal);
    EXPECT_EQ(button->currentTitle(), "Start");
    ASSERT_NE(button->titleLabel(), nullptr);
    EXPECT_EQ(button->titleLabel()->text(), "Start");
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::redColor());
    button->setSelected(true);
    EXPECT_EQ(button->titleLabel()->text(), "Go");
    button->setHighlighted(true);  // selected + highlighted: the selected title
    EXPECT_EQ(button->currentTitle(), "Go");
    button->setSelected(false);
    button->setHighlighted(false);
    EXPECT_EQ(button->titleForState(UIControlStateDisabled), "Start");
    // The title label lays out centred in the button.
    button->layoutIfNeeded();
    const CGRect f = button->titleLabel()->frame();
    EXPECT_NEAR(CGRectGetMidX(f), 25, 0.5);
    EXPECT_NEAR(CGRectGetMidY(f), 25, 0.5);
}

TEST_F(Controls, DraggingAScrollViewCancelsTheButtonsTouch) {
    auto scroll = std::make_shared<UIScrollView>(CGRectMake(0, 0, 320, 200));
    scroll->setContentSize({640, 200});
    window->addSubview(scroll);
    scroll->addSubview(button);
    down({120, 120});
    run(0.05);
    move({100, 120});
    run(0.05);
    move({80, 120});
    up({80, 120});
    EXPECT_EQ(events, "DX");
    EXPECT_GT(scroll->contentOffset().x, 0);
}
