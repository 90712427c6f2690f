// The self-timer end to end: the photo at exactly the count, the tick sound in the last three
// seconds only, the shutter and the app's background cancelling a count-down, and the stored
// value written only when settings are remembered.
#include "TimerTestSupport.h"
#include "core/TweakState.h"

namespace timertest {
namespace {

class SelfTimerTest : public TimerTest {};

TEST_F(SelfTimerTest, PhotoAtExactlyTheCountAndSoundsInTheLastThreeSecondsOnly) {
    for (const int count : {3, 5, 9, 30}) {
        SCOPED_TRACE(count);
        platform::SoundLog::shared().clear();
        run("prefs set timerTime " + std::to_string(count) + "\n");
        openDial("TimerButton");
        run("expect view dial text \"" + std::to_string(count) + " Seconds\"\n");
        const double t0 = tapAction();
        run("advance 40s\n");
        expectTimes(times("takePicture"), {t0 + count}, "photo");
        std::vector<double> sounds;
        for (int left = std::min(3, count - 1); left >= 1; --left)
            sounds.push_back(t0 + count - left);
        expectTimes(soundTimes(), sounds, "sounds");
        // Ready for another start, showing the chosen count again.
        run("expect view dial visible\nexpect view dial-action text \"Start\"\n"
            "expect view dial text \"" +
            std::to_string(count) +
            " Seconds\"\n"
            "terminate\n");
    }
    EXPECT_EQ(photoCount(), 4u);
}

TEST_F(SelfTimerTest, TheShutterCancelsTheCountDownAndTakesItsPhotoAtOnce) {
    openDial("TimerButton");
    tapAction();
    run("advance 2s\ntap shutter\nadvance 10s\n");
    // Only the shutter's photo: the count-down's would have come 5 s after the start.
    const auto pictures = times("takePicture");
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(times("_didTakePhoto").size(), 1u);
    EXPECT_EQ(photoCount(), 1u);
    // One sound: three seconds were left at the press.
    EXPECT_EQ(soundTimes().size(), 1u);
    const auto bar = lumora::currentCameraBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->timerIsRunning);
    EXPECT_TRUE(bar->runningCountDown.expired());
    EXPECT_EQ(bar->timerMode, lumora::TimerModeNone);
}

TEST_F(SelfTimerTest, BackgroundOrModeChangeDuringACountDownLeavesNoPhotoAndNoTimer) {
    for (const std::string interruption :
         {"background\nadvance 10s\nforeground\n", "mode video\nadvance 10s\nmode photo\n"}) {
        SCOPED_TRACE(interruption);
        openDial("TimerButton");
        tapAction();
        std::weak_ptr<platform::NSTimer> timer = lumora::currentCameraBar()->runningCountDown;
        EXPECT_FALSE(timer.expired());
        run("advance 1.5s\n" + interruption + "advance 20s\n");
        EXPECT_TRUE(times("takePicture").empty());
        EXPECT_EQ(photoCount(), 0u);
        EXPECT_TRUE(timer.expired()) << "the count-down timer is gone";
        if (const auto bar = lumora::currentCameraBar()) {
            EXPECT_FALSE(bar->timerIsRunning);
        }
        run("terminate\n");
    }
}

TEST_F(SelfTimerTest, TheChosenSecondsAreWrittenOnlyWhenSettingsAreRemembered) {
    openDial("TimerButton");
    run("turn dial 60\nadvance 0.5s\nexpect view dial text \"10 Seconds\"\n");
    tapAction();
    run("advance 12s\nexpect prefs timerTime absent\nexpect photos count = 1\nterminate\n"
        "prefs set rememberSettings true\nprefs set rememberFPSSettings true\n"
        "prefs set frameRateTime 60\n");
    openDial("TimerButton");
    // The frame rate changed since the bar read the file: starting the timer keeps it.
    lumora::state().globalFrameRateTime = 24;
    run("turn dial 60\nadvance 0.5s\n");
    tapAction();
    run("advance 12s\nexpect prefs timerTime = 10\nexpect prefs frameRateTime = 24\n");
}

}  // namespace
}  // namespace timertest
