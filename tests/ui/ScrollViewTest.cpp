#include "UiTestSupport.h"
#include "platform/ui/UIScrollView.h"

namespace {

class Recorder : public UIScrollViewDelegate {
public:
    void scrollViewDidScroll(UIScrollView*) override { note('s'); }
    void scrollViewWillBeginDragging(UIScrollView*) override { log += "[drag"; }
    void scrollViewDidEndDragging(UIScrollView*, bool decelerate) override {
        log += decelerate ? "|enddrag+" : "|enddrag";
    }
    void scrollViewWillBeginDecelerating(UIScrollView*) override { log += "|decel"; }
    void scrollViewDidEndDecelerating(UIScrollView*) override { log += "|enddecel]"; }
    void scrollViewDidEndScrollingAnimation(UIScrollView*) override { log += "|endanim]"; }
    // Consecutive didScroll calls are noted once.
    void note(char c) {
        if (log.empty() || log.back() != c) log += c;
    }
    std::string log;
};

}  // namespace

class ScrollView : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        scroll = std::make_shared<UIScrollView>(CGRectMake(0, 0, 300, 100));
        scroll->setContentSize({900, 100});
        scroll->setPagingEnabled(true);
        window->addSubview(scroll);
        recorder = std::make_shared<Recorder>();
        scroll->setDelegate(recorder);
    }
    std::shared_ptr<UIScrollView> scroll;
    std::shared_ptr<Recorder> recorder;
};

TEST_F(ScrollView, SlowDragPastHalfAPageSnapsToTheNextPage) {
    drag({250, 50}, {60, 50}, 19, 0.1);  // 190 points, slowly
    EXPECT_EQ(recorder->log, "[drags|enddrag+|decel");
    run(UIScrollView::kSettleDuration);
    EXPECT_EQ(scroll->contentOffset(), CGPointMake(300, 0));
    EXPECT_EQ(recorder->log, "[drags|enddrag+|decels|enddecel]");
    EXPECT_FALSE(scroll->isDecelerating());
}

TEST_F(ScrollView, SlowShortDragSnapsBack) {
    drag({250, 50}, {150, 50}, 10, 0.1);
    run(1);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
}

TEST_F(ScrollView, FlickMovesOnePageEvenWhenShort) {
    drag({250, 50}, {170, 50}, 4, 0.01);  // 80 points at 2000 points per second
    run(1);
    EXPECT_EQ(scroll->contentOffset(), CGPointMake(300, 0));
    drag({50, 50}, {250, 50}, 4, 0.01);  // back the other way
    run(1);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
}

TEST_F(ScrollView, DragPastTheStartRubberBandsAndSettlesBack) {
    drag({50, 50}, {150, 50}, 10, 0.1);
    EXPECT_LT(scroll->contentOffset().x, 0);
    EXPECT_GT(scroll->contentOffset().x, -100);  // half speed past the end
    run(1);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
    scroll->setBounces(false);
    drag({50, 50}, {150, 50}, 10, 0.1);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
}

TEST_F(ScrollView, AnimatedOffsetStepsAndEndsWithTheScrollingAnimationCallback) {
    scroll->setContentOffset({600, 0}, true);
    run(0.15);
    const double mid = scroll->contentOffset().x;
    EXPECT_GT(mid, 0);
    EXPECT_LT(mid, 600);
    run(0.15);
    EXPECT_EQ(scroll->contentOffset(), CGPointMake(600, 0));
    EXPECT_EQ(recorder->log, "s|endanim]");
    // Already there: nothing at all.
    recorder->log.clear();
    scroll->setContentOffset({600, 0}, true);
    run(1);
    EXPECT_EQ(recorder->log, "");
}

TEST_F(ScrollView, DisabledScrollingIgnoresDragsAndGoneDelegateIsNotCalled) {
    scroll->setScrollEnabled(false);
    drag({250, 50}, {50, 50}, 10, 0.1);
    EXPECT_EQ(scroll->contentOffset(), CGPointZero);
    scroll->setScrollEnabled(true);
    recorder.reset();
    scroll->setContentOffset({300, 0}, true);
    run(1);
    EXPECT_EQ(scroll->contentOffset(), CGPointMake(300, 0));
}

TEST_F(ScrollView, ProgrammaticOffsetCallsDidScrollOnlyOnChange) {
    scroll->setContentOffset({10, 0});
    scroll->setContentOffset({10, 0});
    EXPECT_EQ(recorder->log, "s");
    EXPECT_EQ(scroll->bounds().origin, CGPointMake(10, 0));
}
