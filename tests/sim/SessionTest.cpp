// Running scenarios against a small app: touches, checks, outputs, and what a failure reports.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/PropertyList.h"
#include "platform/media/MotionSimulator.h"
#include "platform/runloop/RunLoop.h"
#include "sim/scenario/ElementRegistry.h"
#include "tests/sim/SimFixture.h"

namespace {

using simtest::SimTest;

std::size_t countFiles(const std::filesystem::path& folder) {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        (void)e;
        ++n;
    }
    return n;
}

TEST_F(SimTest, TapReachesTheButtonAndChecksHold) {
    const auto report = run(R"(launch camera
tap "Go"
tap UIButton[7]
expect view "Go" visible
expect view UIButton[7] enabled
expect view UIButton[7] not-selected
expect view UILabel text "Hello"
expect view UILabel frame (20,40,200,30)
expect view "Secret" hidden
expect view "Nobody" absent
expect event goTapped = 2
expect events in-order launched goTapped
)");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    EXPECT_TRUE(report.passed());
    EXPECT_EQ(report.expectations, 9u);
}

TEST_F(SimTest, FailingExpectationNamesItsLineAndTheRunGoesOn) {
    const auto report =
        run("launch camera\n"
            "expect view UILabel text \"Bye\"\n"
            "expect event goTapped\n"
            "tap \"Go\"\n"
            "expect event goTapped = 1\n");
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].where.describe(), "t.scn:2");
    EXPECT_EQ(report.failures[0].message, "expected UILabel text \"Bye\", found \"Hello\"")
        << report.failures[0].message;
    EXPECT_EQ(report.failures[1].where.line, 3);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.stepsRun, 5u);
}

TEST_F(SimTest, FailedActionStopsTheRun) {
    const auto report =
        run("launch camera\ntap \"Secret\"\nexpect event goTapped never\n"
            "tap \"Go\"\n");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_TRUE(report.failures[0].fatal);
    EXPECT_EQ(report.failures[0].where.line, 2);
    EXPECT_NE(report.failures[0].message.find("not visible"), std::string::npos);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.stepsRun, 2u);
}

TEST_F(SimTest, TouchesNeedARunningApp) {
    const auto report = run("tap (10,10)\n");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].message, "no app is running");
}

TEST_F(SimTest, PreferencesAreWrittenTypedAndChecked) {
    const auto report = run(R"(prefs set showFPS no
prefs set frameRateTime 60
prefs set guideIndex 2
prefs delete guideIndex
prefs set timerTime "7"
expect prefs showFPS = false
expect prefs frameRateTime = 60
expect prefs guideIndex absent
expect prefs timerTime = "7"
expect prefs frameRateTime = 30
)");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].message, "expected frameRateTime = 30, found 60");
    const auto prefs = session().root().readPreferences();
    ASSERT_TRUE(prefs);
    EXPECT_EQ(prefs->get("showFPS")->boolean(), false);
    EXPECT_EQ(prefs->get("frameRateTime")->integer(), 60);
    ASSERT_NE(prefs->get("timerTime")->string(), nullptr);
}

TEST_F(SimTest, OutputsLandWholeInTheOutputFolderOnly) {
    const auto report = run("launch camera\nscreenshot screen.png\ndump tree.txt\nlog log.txt\n");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    const auto out = base_ / "out";
    std::ifstream png(out / "screen.png", std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    std::ifstream tree(out / "tree.txt");
    std::string first;
    std::getline(tree, first);
    EXPECT_EQ(first.rfind("UIWindow", 0), 0u) << first;
    // screenshot, dump, log, events.log: no temporary files left.
    EXPECT_EQ(countFiles(out), 4u);
    EXPECT_EQ(report.outputs.size(), 4u);
    std::string error;
    EXPECT_FALSE(session().writeOutput(
        "../escape.txt", [](auto&) { return true; }, error));
    EXPECT_FALSE(session().writeOutput(
        "x.txt",
        [](const std::filesystem::path& p) {
            std::ofstream(p) << "half";
            return false;
        },
        error));
    EXPECT_FALSE(std::filesystem::exists(out / "x.txt"));
    EXPECT_EQ(countFiles(out), 4u);
}

TEST_F(SimTest, HostActionsAndAppLifecycleAreLogged) {
    const auto report = run(R"(launch camera
mode video
camera front
background
foreground
burst start
)");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].where.line, 6);
    EXPECT_EQ(report.failures[0].message, "no burst here");
    ASSERT_NE(lastApp_, nullptr);
    const auto events = lastApp_->eventLog()->events();
    EXPECT_EQ(events, (std::vector<std::string>{"launched", "perform", "perform", "background",
                                                "foreground"}));
    EXPECT_EQ(lastApp_->eventLog()->entries()[1].args, "mode 1");
}

TEST_F(SimTest, EventsSurviveARelaunchAndTimeAdvances) {
    const auto report = run(R"(launch camera
tap "Go"
advance 1.5s
launch camera
expect event launched = 2
expect events in-order goTapped terminated launched
)");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    EXPECT_GE(platform::RunLoop::main().now(), 0.0);
}

TEST_F(SimTest, SceneReachesTheAppWithEveryPartSetSoFarAndAgainAfterALaunch) {
    const auto report = run(R"(scene brightness 4
launch camera
scene distance 0.75
launch camera
)");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    std::vector<std::string> scenes;
    for (const auto& e : session().events()) {
        if (e.event == "scene") scenes.push_back(e.args);
    }
    EXPECT_EQ(scenes,
              (std::vector<std::string>{"4.000000 -", "4.000000 0.750000", "4.000000 0.750000"}));
}

TEST_F(SimTest, DevicePoseAndModel) {
    const auto report = run("orient landscape-left\ntilt 4\ndevice ipadair\n");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    EXPECT_DOUBLE_EQ(platform::MotionSimulator::shared().tilt(), 4);
    EXPECT_EQ(session().profile().shortName, "ipadair");
    // Not while an app runs.
    const auto second = run("launch camera\ndevice iphone6\n");
    ASSERT_EQ(second.failures.size(), 1u);
    EXPECT_TRUE(second.failures[0].fatal);
}

}  // namespace

namespace {

using simtest::SimTest;

TEST_F(SimTest, RepeatBlocksRunTheirLinesAndNameTheFailingLine) {
    auto report =
        run("launch camera\nrepeat 3\n  tap \"Go\"\n  advance 1s\nend\n"
            "expect event goTapped = 3\n");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    report = run("repeat 2\n  expect event goTapped = 0\nend\n");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].where.line, 1);
    EXPECT_NE(report.failures[0].message.find("t.scn:2"), std::string::npos)
        << report.failures[0].message;
    EXPECT_NE(report.failures[0].message.find("pass 1"), std::string::npos);

    const auto bad = sim::parseScript("repeat 0\nend\nend\nrepeat 2\ntap shutter\n", "b.scn");
    ASSERT_EQ(bad.errors.size(), 4u);
    EXPECT_EQ(bad.errors[0].where.line, 1);  // malformed count
    EXPECT_EQ(bad.errors[1].message, "end without repeat");
    EXPECT_EQ(bad.errors[2].where.line, 3);
    EXPECT_EQ(bad.errors[3].describe(), "b.scn:4: repeat without end");
}

TEST_F(SimTest, MotionClientCountsSamplesAtItsRate) {
    const auto report =
        run("motion start\nlaunch camera\nmotion start 50Hz\nadvance 10s\n"
            "expect motion samples >= 499\nexpect motion samples <= 501\n"
            "motion stop\nadvance 10s\nexpect motion samples <= 501\n");
    ASSERT_GE(report.failures.size(), 1u);
    // Without an app there is no one to receive samples.
    EXPECT_EQ(report.failures[0].where.line, 1);
    EXPECT_TRUE(report.stopped);
    const auto second =
        run("launch camera\nmotion start 50Hz\nadvance 10s\n"
            "expect motion samples >= 499\nexpect motion samples <= 501\n"
            "motion stop\nadvance 10s\nexpect motion samples <= 501\n");
    for (const auto& f : second.failures) ADD_FAILURE() << f.describe();
}

}  // namespace

namespace {

using simtest::SimTest;

TEST_F(SimTest, NamedControlsAreFoundByTheTextTheyGoBy) {
    ASSERT_TRUE(
        sim::ElementRegistry::shared().addNamedControl("test-go", "the test's Go button", "Go"));
    EXPECT_FALSE(sim::ElementRegistry::shared().addNamedControl("test-empty", "no text", ""));
    const auto report = run(R"(launch camera
tap test-go
expect view test-go visible
expect event goTapped = 1
)");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
}

// The host's Settings app behind the session: its navigation bar's back button is named, and
// what it does reaches the session's events.
class HostSettingsTest : public SimTest {
protected:
    sim::SessionOptions options() {
        sim::SessionOptions o = SimTest::options();
        o.appFactory = sim::hostAppFactory();
        return o;
    }
};

TEST_F(HostSettingsTest, SettingsAppLogsAndNamesItsBackButton) {
    std::string error;
    auto session = sim::Session::create(options(), simtest::profiles(), error);
    ASSERT_NE(session, nullptr) << error;
    auto parsed = sim::parseScript(R"(launch settings
expect view settings-back exists
expect view settings-back hidden
terminate
expect events in-order launch terminate
)",
                                   "t.scn");
    for (const auto& e : parsed.errors) ADD_FAILURE() << e.describe();
    const auto report = sim::runScript(parsed.script, *session);
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
}

}  // namespace
