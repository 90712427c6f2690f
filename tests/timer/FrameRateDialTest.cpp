// The frame-rate dial end to end: opened from the frame-rate badge in video, turned, and "Set"
// applies the rate to the capture device and closes the bar; on an iPhone 6 (one step per
// frame, up to 120) and on an iPod touch limited to 60 (two steps per frame).
#include "TimerTestSupport.h"
#include "capture/FormatBadges.h"
#include "core/TweakState.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIWindow.h"
#include "sim/scenario/ElementRegistry.h"

namespace timertest {
namespace {

class FrameRateDialTest : public TimerTest {
protected:
    // What a tap on the badge runs: its recogniser's action, the bar's toggleElement.
    void tapBadgeRecognizer() {
        auto window = session_->window();
        ASSERT_NE(window, nullptr);
        UIView* badge =
            sim::findViewOfClass(*window, "CAMSlalomIndicatorView", lumora::kFrameRateBadgeTag);
        ASSERT_NE(badge, nullptr);
        ASSERT_FALSE(badge->gestureRecognizers().empty());
        const auto bar = lumora::currentCameraBar();
        ASSERT_NE(bar, nullptr);
        bar->toggleElement(badge->gestureRecognizers().front().get());
        run("advance 1s\n");
    }
};

TEST_F(FrameRateDialTest, OnAnIPhone6TheDialPicksUpTo120AndSetAppliesIt) {
    run("device iphone6\nprefs set rememberFPSSettings true\nlaunch camera\nadvance 1s\n"
        "mode video\nadvance 2s\n");
    // The host's badge of this slow-motion phone lies beyond the screen's edge in portrait:
    // its recogniser is run directly.
    tapBadgeRecognizer();
    run("expect view dial text \"30 FPS\"\nexpect view dial-action text \"Set\"\n"
        "expect view dial-switch hidden\n"
        "turn dial 90\nadvance 0.5s\nexpect view dial text \"60 FPS\"\n"
        "tap dial-action\nadvance 1s\n"
        "expect capture frame-rate = 60\nexpect prefs frameRateTime = 60\n"
        "expect view dial absent\n");
    const auto bar = lumora::currentCameraBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->frameRateMode, 0);
    EXPECT_EQ(bar->timerMode, lumora::TimerModeNone);
    EXPECT_FALSE(bar->timerIsRunning);

    // A second tap on the badge closes the dial it opened.
    tapBadgeRecognizer();
    run("expect view dial visible\n");
    tapBadgeRecognizer();
    run("expect view dial absent\n");

    // Shown again while it fades out: the old fade's end leaves the dial shown.
    tapBadgeRecognizer();
    UIView* badge = sim::findViewOfClass(*session_->window(), "CAMSlalomIndicatorView",
                                         lumora::kFrameRateBadgeTag);
    bar->toggleElement(badge->gestureRecognizers().front().get());
    run("advance 0.1s\n");
    bar->toggleElement(badge->gestureRecognizers().front().get());
    run("advance 1s\nexpect view dial visible\n");
    EXPECT_NE(bar->dialViewController, nullptr);
}

TEST_F(FrameRateDialTest, ThePhotoBeforeAModeChangeDoesNotSwallowTheRememberedRate) {
    // The photo leaves a skip for the next re-application; the change to video clears it, so
    // the preview's start after the return from the background applies 60 again.
    run("device iphone6\nprefs set rememberFPSSettings true\nprefs set frameRateTime 60\n"
        "launch camera\nadvance 1s\ntap shutter\nadvance 1s\nmode video\nadvance 2s\n"
        "background\nadvance 2s\nforeground\nadvance 3s\nexpect capture frame-rate = 60\n");
}

TEST_F(FrameRateDialTest, OnAnIPodTouchTwoStepsMakeOneFrameAndTheTopIs60) {
    run("device ipod5\nlaunch camera\nadvance 1s\nmode video\nadvance 2s\n"
        "tap fps-badge\nadvance 1s\nexpect view dial text \"30 FPS\"\n"
        "turn dial 30\nadvance 0.5s\nexpect view dial text \"35 FPS\"\n"
        "turn dial 149.5\nadvance 0.5s\nexpect view dial text \"60 FPS\"\n"
        "turn dial 10\nadvance 0.5s\nexpect view dial text \"60 FPS\"\n"
        "tap dial-action\nadvance 1s\n"
        "expect capture frame-rate = 60\nexpect prefs frameRateTime absent\n");
}

TEST_F(FrameRateDialTest, InAPhotoModeTheBadgeCommandRemovesTheDial) {
    run("device ipod5\nlaunch camera\nadvance 1s\ntap wrench\nadvance 1s\ntap TimerButton\n"
        "advance 1s\nexpect view dial visible\n");
    const auto bar = lumora::currentCameraBar();
    ASSERT_NE(bar, nullptr);
    bar->toggleElement(nullptr);  // nothing tapped: nothing happens
    run("expect view dial visible\n");
    // The frame-rate branch in a photo mode: the table says no dial.
    bar->selectedMode = lumora::SelectedModeFrameRate;
    bar->frameRateMode = 1;
    bar->checkSelectionDialSetup();
    run("advance 1s\nexpect view dial absent\n");
}

}  // namespace
}  // namespace timertest
