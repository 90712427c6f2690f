#pragma once
// The simulated phone with the host camera and the add-on, driven by scenario lines, for the
// timer engine's end-to-end tests: virtual times of the host's calls and of the sounds played.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "camerabar/CameraBar.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/runloop/RunLoop.h"
#include "sim/SimulatedApp.h"
#include "tests/support/ScenarioSession.h"

namespace timertest {

class TimerTest : public testsupport::ScenarioSessionTest {
protected:
    TimerTest() : ScenarioSessionTest("lumora3-timertest") {}

    void SetUp() override {
        ScenarioSessionTest::SetUp();
        if (HasFatalFailure()) return;
        sim::SessionOptions o = folderOptions();
        o.appFactory = sim::hostAppFactory();
        ASSERT_TRUE(startSession(std::move(o)));
        platform::SoundLog::shared().clear();
    }
    void TearDown() override {
        ScenarioSessionTest::TearDown();
        platform::SoundLog::shared().clear();
    }

    // Runs scenario lines; a parse error or a failed expectation fails the test.
    void run(const std::string& lines) { runChecked(lines); }

    static double now() { return platform::RunLoop::main().now(); }

    // Virtual times of the host's calls of `event` since `start()` (the clock starts again
    // with each launch, so the log is cut by position, not by time).
    std::vector<double> times(const std::string& event) const {
        std::vector<double> out;
        const auto entries = session_->events();
        for (std::size_t i = from_; i < entries.size(); ++i) {
            if (entries[i].event == event) out.push_back(entries[i].time);
        }
        return out;
    }
    static std::vector<double> soundTimes() {
        std::vector<double> out;
        for (const auto& p : platform::SoundLog::shared().entries()) {
            if (p.name == "count.aif") out.push_back(p.time);
        }
        return out;
    }
    std::size_t photoCount() const { return session_->root().photos().size(); }

    // Opens the camera bar and the dial of one of its timer buttons; returns when the dial is
    // shown.
    void openDial(const std::string& button) {
        run("launch camera\nadvance 1s\ntap wrench\nadvance 1s\ntap " + button +
            "\nadvance 1s\nexpect view dial visible\n");
    }
    // Taps the dial's action circle; returns the virtual time the tap started the count-down.
    // The host's calls and the sounds from then on are what times() and soundTimes() report.
    double tapAction() {
        from_ = session_->events().size();
        platform::SoundLog::shared().clear();
        const double t = now();
        run("tap dial-action\n");
        return t;
    }

    std::size_t from_ = 0;
};

// Expects two lists of times to agree to a microsecond.
inline void expectTimes(const std::vector<double>& got, const std::vector<double>& want,
                        const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i], want[i], 1e-6) << what << " #" << i + 1;
    }
}

}  // namespace timertest
