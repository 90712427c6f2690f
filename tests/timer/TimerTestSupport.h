#pragma once
// The simulated phone with the host camera and the add-on, driven by scenario lines, for the
// timer engine's end-to-end tests: virtual times of the host's calls and of the sounds played.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "camerabar/CameraBar.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/runloop/RunLoop.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/SimulatedApp.h"
#include "sim/scenario/Script.h"

namespace timertest {

inline const platform::DeviceProfileRegistry& profiles() {
    static const auto registry = [] {
        auto r = platform::DeviceProfileRegistry::loadFolder(
            std::filesystem::path(LUMORA_SOURCE_DIR) / "data/devices");
        EXPECT_TRUE(r.ok());
        return r.value();
    }();
    return registry;
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ =
            (std::filesystem::temp_directory_path() / "lumora3-timertest-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        base_ = templ;
        sim::SessionOptions o;
        o.outputFolder = base_ / "out";
        o.rootFolder = base_ / "root";
        o.appFactory = sim::hostAppFactory();
        std::string error;
        session_ = sim::Session::create(o, profiles(), error);
        ASSERT_NE(session_, nullptr) << error;
        platform::SoundLog::shared().clear();
    }
    void TearDown() override {
        session_.reset();
        platform::SoundLog::shared().clear();
        std::error_code ec;
        std::filesystem::remove_all(base_, ec);
    }

    // Runs scenario lines; a parse error or a failed expectation fails the test.
    void run(const std::string& lines) {
        auto parsed = sim::parseScript(lines, "t.scn");
        for (const auto& e : parsed.errors) ADD_FAILURE() << e.describe();
        const auto report = sim::runScript(parsed.script, *session_);
        for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    }

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

    std::filesystem::path base_;
    std::unique_ptr<sim::Session> session_;
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
