// The guides, the resolution picker, the horizon level and the tilt alert end to end: scenario
// lines against the simulated camera app with the add-on injected.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ScenarioSession.h"

namespace {

class CompanionScenario : public testsupport::ScenarioSessionTest {
protected:
    CompanionScenario() : ScenarioSessionTest("lumora3-companions") {}

    // Runs the lines after the common start, in a new session: an iPhone 6 with every companion
    // switched on.
    sim::RunReport run(const std::string& lines) {
        if (!startSession(folderOptions())) return {};
        return runLines(R"(device iphone6
prefs set ENABLED true
prefs set showOverlays true
prefs set showHorizonAlignment true
prefs set showVerticalAlert true
prefs set showDimensions true
)" + lines,
                        "companions.scn");
    }
};

TEST_F(CompanionScenario, ASecondBadgeTapDuringTheFadeInClosesThePicker) {
    const auto r = run(R"(launch camera
advance 1s
mode video
advance 1s
tap resolution-badge
advance 50ms
tap resolution-badge
advance 1s
expect view resolution-picker hidden
expect view resolution-720 absent
tap resolution-badge
advance 1s
expect view resolution-720 visible
expect view resolution-1080 visible
expect view resolution-2448 absent
)");
    EXPECT_TRUE(r.passed()) << failures(r);
}

TEST_F(CompanionScenario, ThePickerOffersTheHeightsOfTheModeInForce) {
    const auto r = run(R"(launch camera
advance 1s
tap resolution-badge
advance 1s
expect view resolution-2448 visible
tap resolution-1080
advance 1s
expect view resolution-picker hidden
mode video
advance 1s
tap resolution-badge
advance 1s
expect view resolution-2448 absent
tap resolution-480
advance 1s
expect capture format-height = 480
expect capture frame-rate = 30
)");
    EXPECT_TRUE(r.passed()) << failures(r);
}

TEST_F(CompanionScenario, TheHorizonButtonGivesWayWhileTheHostMenuIsOpen) {
    const auto r = run(R"(launch camera
advance 1s
expect view horizon-button visible
menu expand
advance 5s
expect view horizon-button hidden
menu collapse
advance 5s
expect view horizon-button visible
)");
    EXPECT_TRUE(r.passed()) << failures(r);
}

TEST_F(CompanionScenario, ARememberedHorizonNeedsItsSwitch) {
    const auto on = run(R"(prefs set rememberSettings true
prefs set horizonAlignmentShowing true
launch camera
advance 1s
expect view horizon-base visible
expect view horizon-base highlighted
)");
    EXPECT_TRUE(on.passed()) << failures(on);
    const auto off = run(R"(prefs set rememberSettings true
prefs set horizonAlignmentShowing true
prefs set showHorizonAlignment false
launch camera
advance 1s
expect view horizon-button absent
expect view horizon-base hidden
)");
    EXPECT_TRUE(off.passed()) << failures(off);
}

TEST_F(CompanionScenario, HorizonViewsTurnWithThePhoneAndStayLitAtLevel) {
    const auto r = run(R"(launch camera
advance 1s
tap horizon-button
advance 1s
orient landscape-left
advance 1s
expect view horizon-base highlighted
tilt 0.8
advance 0.5s
expect view horizon-needle not-highlighted
orient face-up
advance 1s
expect view horizon-needle not-highlighted
orient upside-down
advance 1s
expect view horizon-needle not-highlighted
)");
    EXPECT_TRUE(r.passed()) << failures(r);
}

}  // namespace

namespace {

// The checks the soak runs lean on: `views ... total` counts the picker it has hidden, which
// `count` (visible views only) does not, and `run-loop pending` sees a running time lapse's
// timer and nothing once it is stopped.
TEST_F(CompanionScenario, ViewTotalsAndPendingEventsSeeWhatIsLeftBehind) {
    const auto r = run(R"(launch camera
advance 1s
mode video
advance 1s
tap resolution-badge
advance 1s
tap resolution-720
advance 1s
expect view resolution-picker hidden
expect views CustomDimensionView count = 0
expect views CustomDimensionView total = 1
expect run-loop pending = 0
mode photo
advance 1s
tap wrench
advance 1s
tap lapse-button
advance 1s
tap dial-action
advance 3s
expect run-loop pending = 0
tap dial-action
advance 2s
expect view dial absent
expect run-loop pending = 0
)");
    ASSERT_EQ(r.failures.size(), 1u) << failures(r);
    EXPECT_EQ(r.failures[0].where.line, 27);
    EXPECT_NE(r.failures[0].message.find("pending run-loop events = 0, found"), std::string::npos)
        << r.failures[0].message;
}

}  // namespace
