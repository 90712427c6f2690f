// The time lapse end to end: photo times for intervals in seconds and minutes (each shot an
// interval after the host reported the previous one), a stop between two shots, and shutter
// presses during a series and before one.
#include <algorithm>

#include "TimerTestSupport.h"

namespace timertest {
namespace {

class TimeLapseTest : public TimerTest {
protected:
    // The count-down's photos: the first an interval after the start, each next one an
    // interval after the host reported the one before (the first report from its time on).
    void expectCadence(double t0, double interval, std::size_t shots) {
        const auto pictures = times("takePicture");
        const auto reports = times("_didTakePhoto");
        ASSERT_GE(pictures.size(), shots);
        std::vector<double> want{t0 + interval};
        for (std::size_t k = 1; k < shots; ++k) {
            const auto own = std::lower_bound(reports.begin(), reports.end(), pictures[k - 1]);
            ASSERT_NE(own, reports.end());
            want.push_back(*own + interval);
        }
        expectTimes(std::vector<double>(pictures.begin(), pictures.begin() + shots), want,
                    "count-down photos");
    }
};

TEST_F(TimeLapseTest, PhotosFollowTheIntervalInSecondsAndMinutes) {
    struct Row {
        int value;
        int timeType;
        double interval;
        double runFor;
        std::size_t shots;
    };
    for (const Row r : {Row{5, 0, 5, 16, 3}, Row{21, 0, 21, 64, 3}, Row{1, 1, 60, 181, 3}}) {
        SCOPED_TRACE(r.interval);
        run("prefs set timeLapseTime " + std::to_string(r.value) + "\nprefs set timeType " +
            std::to_string(r.timeType) + "\n");
        openDial("TimeLapseButton");
        const double t0 = tapAction();
        run("advance " + std::to_string(r.runFor) + "s\n");
        expectCadence(t0, r.interval, r.shots);
        EXPECT_EQ(times("takePicture").size(), r.shots);
        EXPECT_TRUE(soundTimes().empty()) << "the time lapse is silent";
        run("expect view dial-action text \"Stop\"\nexpect view dial-switch hidden\nterminate\n");
    }
}

TEST_F(TimeLapseTest, AMinutesIntervalShowsMinutesAndSecondsLeft) {
    run("prefs set timeLapseTime 2\nprefs set timeType 1\n");
    openDial("TimeLapseButton");
    run("expect view dial text \"2 Minutes\"\n");
    tapAction();
    run("advance 30.5s\nexpect view dial text \"1 Minute 30 Seconds\"\n"
        "advance 60s\nexpect view dial text \"30 Seconds\"\n");
}

TEST_F(TimeLapseTest, AStopBetweenTwoShotsEndsTheSeries) {
    openDial("TimeLapseButton");  // 5 s, the bar's start value
    tapAction();
    // The first photo is taken 5 s after the start and reported 0.1 s later: stop in between.
    run("advance 4.9s\n");
    ASSERT_EQ(times("takePicture").size(), 0u);
    run("advance 0.07s\n");
    ASSERT_EQ(times("takePicture").size(), 1u);
    ASSERT_EQ(times("_didTakePhoto").size(), 0u);
    run("tap dial-action\nadvance 30s\nexpect view dial absent\n");
    EXPECT_EQ(times("takePicture").size(), 1u);
    const auto bar = lumora::currentCameraBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->runningCountDown.expired());
    EXPECT_EQ(bar->timerMode, lumora::TimerModeNone);
}

TEST_F(TimeLapseTest, ShutterPressesAddAPhotoEachAndLeaveTheCadence) {
    openDial("TimeLapseButton");
    const double t0 = tapAction();
    // One press while counting, one in the gap between a shot and its report.
    run("advance 2s\ntap shutter\nadvance 2.91s\ntap shutter\nadvance 20s\n");
    expectCadence(t0, 5, 4);
    EXPECT_EQ(times("takePicture").size(), 4u);
    EXPECT_EQ(times("_didTakePhoto").size(), 6u) << "four of the series, two of the shutter";
    EXPECT_EQ(photoCount(), 6u);
}

TEST_F(TimeLapseTest, AShutterPressBeforeTheStartTakesOnePhotoAndStartsNoSeries) {
    openDial("TimeLapseButton");
    run("tap shutter\nadvance 30s\nexpect view dial-action text \"Start\"\n");
    EXPECT_TRUE(times("takePicture").empty());
    EXPECT_EQ(photoCount(), 1u);
}

}  // namespace
}  // namespace timertest
