// Where the wrench and the strip sit on each screen class, and what the strip shows per mode,
// checked on the simulated camera app with the add-on injected.

#include <cmath>

#include "CameraBarTestSupport.h"
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "core/CameraBarLifecycle.h"
#include "core/TweakState.h"
#include "hostapi/CAMBars.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"

namespace camerabartest {
namespace {

using namespace lumora;

void expectFrame(CGRect actual, CGRect expected, const std::string& what) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 0.01) << what;
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 0.01) << what;
    EXPECT_NEAR(actual.size.width, expected.size.width, 0.01) << what;
    EXPECT_NEAR(actual.size.height, expected.size.height, 0.01) << what;
}

struct Placement {
    const char* model;
    CGFloat wrenchRightOfWell;  // the wrench's x less the thumbnail's
    bool pad;
};

class Placements : public BarOnHost, public ::testing::WithParamInterface<Placement> {};

// Hidden: one strip width left of the screen; shown: flush left above the bottom bar; grown:
// 30 points taller upwards. The tablet's column sits at x 100 hidden and one column width left
// of the side bar shown, 300 high, and never grows.
TEST_P(Placements, WrenchAndStripFramesHiddenShownAndGrown) {
    const Placement& p = GetParam();
    launch(p.model);
    const TweakState& s = state();
    const auto bottomBar = s._CAMBottomBar.lock();
    ASSERT_TRUE(bottomBar);
    const CGRect well = bottomBar->imageWell()->frame();
    const CGRect wrench = dynamic_cast<UIView*>(s.wrenchButton.get())->frame();
    if (p.pad) {
        EXPECT_EQ(wrench.origin.x, well.origin.x);
        EXPECT_LT(CGRectGetMaxY(wrench), well.origin.y);
    } else {
        EXPECT_EQ(wrench.origin.x - well.origin.x, p.wrenchRightOfWell);
        EXPECT_EQ(wrench.origin.y - well.origin.y, 3);
    }
    EXPECT_EQ(wrench.size.width, well.size.width);

    const CGRect screen = UIScreen::mainScreen().bounds();
    const CGFloat W = screen.size.width, H = screen.size.height;
    const CGFloat barH = bottomBar->frame().size.height;
    const CGRect hidden =
        p.pad ? CGRectMake(100, 380, 80, 300) : CGRectMake(-W, H - barH - 65, W, 65);
    const CGRect shown =
        p.pad ? CGRectMake(-80, 380, 80, 300) : CGRectMake(0, H - barH - 65, W, 65);
    expectFrame(strip().frame(), hidden, "hidden");

    tapWrench();
    EXPECT_TRUE(s.showingButtonArray);
    run(0.2);
    expectFrame(strip().frame(), shown, "shown");

    strip().toggleHeightScrollView(false);
    run(0.2);
    const CGRect grown = p.pad ? shown : CGRectMake(0, shown.origin.y - 30, W, 95);
    expectFrame(strip().frame(), grown, "grown");
    EXPECT_EQ(strip().scrollview->frame().size.height, grown.size.height);
    strip().toggleHeightScrollView(true);
    run(0.2);
    expectFrame(strip().frame(), shown, "shrunk");
}

INSTANTIATE_TEST_SUITE_P(Devices, Placements,
                         ::testing::Values(Placement{"iphone4s", 73, false},
                                           Placement{"iphone5s", 73, false},
                                           Placement{"iphone6", 93, false},
                                           Placement{"iphone6plus", 93, false},
                                           Placement{"ipadair", 0, true}),
                         [](const auto& info) { return std::string(info.param.model); });

constexpr UIColor kAmber = UIColor::colorWithRed(1, 0.8, 0, 1);
constexpr UIColor kFaint = UIColor::colorWithWhite(1, 0.3);

struct ModeRow {
    const char* name;
    long mode;
    long device;
    std::vector<std::string> buttons;  // classes in the strip, left to right
    int pages;
    std::vector<std::string> captions;
    std::vector<UIColor> colours;  // of captions 1, 2, 3 (and 4)
    bool cameraEnabled;            // the advanced photo or video button
};

class ModeRows : public BarOnHost, public ::testing::WithParamInterface<ModeRow> {};

// The buttons in the strip, their enabled states, the pages and the captions per host mode.
TEST_P(ModeRows, StripShowsTheModesButtonsCaptionsAndPages) {
    const ModeRow& r = GetParam();
    launch("iphone6", r.mode, r.device);
    tapWrench();
    run(0.2);

    std::vector<std::pair<CGFloat, std::string>> buttons;
    for (const auto& sub : strip().scrollview->subviews()) {
        if (sub->frame().size.width == 47)
            buttons.emplace_back(sub->frame().origin.x, sub->className());
    }
    std::sort(buttons.begin(), buttons.end());
    std::vector<std::string> classes;
    for (const auto& b : buttons) classes.push_back(b.second);
    EXPECT_EQ(classes, r.buttons);
    EXPECT_EQ(strip().scrollview->contentSize().width, strip().frame().size.width * r.pages);

    const auto captions = strip().captions();
    for (std::size_t i = 0; i < r.captions.size(); ++i) {
        EXPECT_EQ(captions[i]->text(), r.captions[i]) << "caption " << i + 1;
    }
    for (std::size_t i = 0; i < r.colours.size(); ++i) {
        EXPECT_EQ(captions[i]->textColor(), r.colours[i]) << "caption colour " << i + 1;
    }
    const auto* first = dynamic_cast<UIControl*>(
        (r.mode == 1 ? state().modeAdvVideoBtn : state().modeAdvCameraBtn).get());
    EXPECT_EQ(first->isEnabled(), r.cameraEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeRows,
    ::testing::Values(ModeRow{"photo",
                              0,
                              0,
                              {"CameraButton", "TimerButton", "TimeLapseButton", "WBLockButton"},
                              3,
                              {"Adv. Mode", "Timer", "Time-lapse", "WB Lock"},
                              {kAmber, kAmber, kAmber, kAmber},
                              true},
                      ModeRow{"square",
                              4,
                              0,
                              {"CameraButton", "TimerButton", "TimeLapseButton", "WBLockButton"},
                              2,
                              {"Adv. Mode", "Timer", "Time-lapse", "WB Lock"},
                              {kAmber, kAmber, kAmber},
                              true},
                      ModeRow{"frontPhoto",
                              0,
                              1,
                              {"CameraButton", "TimerButton", "TimeLapseButton", "WBLockButton"},
                              3,
                              {"Adv. Mode"},
                              {kFaint, kAmber, kAmber},
                              false},
                      ModeRow{"video",
                              1,
                              0,
                              {"MovieButton", "CustomDrawButton", "WBLockButton"},
                              2,
                              {"Adv. Mode", "Stabilizer", "", "WB Lock"},
                              {kAmber},
                              true},
                      ModeRow{"frontVideo",
                              1,
                              1,
                              {"MovieButton", "CustomDrawButton", "WBLockButton"},
                              2,
                              {"Adv. Mode", "Stabilizer"},
                              {kFaint},
                              false}),
    [](const auto& info) { return std::string(info.param.name); });

// Panorama is neither a photo nor a video mode: the wrench is hidden and the strip stays away.
TEST_F(BarOnHost, PanoramaHidesTheWrenchAndKeepsTheStripAway) {
    launch("iphone6", 3);
    EXPECT_TRUE(dynamic_cast<UIView*>(state().wrenchButton.get())->isHidden());
    toggleCameraButtonArray(1);
    run(0.2);
    EXPECT_FALSE(state().showingButtonArray);
    EXPECT_LT(strip().frame().origin.x, 0);
}

// Host mode 6 disables the timer buttons and fades their captions.
TEST_F(BarOnHost, ModeSixDisablesTheTimersAndFadesTheirCaptions) {
    launch("iphone6", 6);
    tapWrench();
    run(0.2);
    EXPECT_FALSE(dynamic_cast<UIControl*>(state().modeTimerBtn.get())->isEnabled());
    EXPECT_FALSE(dynamic_cast<UIControl*>(state().modeLapseTimerBtn.get())->isEnabled());
    EXPECT_EQ(strip().btn2Txt->textColor(), kFaint);
    EXPECT_EQ(strip().btn3Txt->textColor(), kFaint);
    EXPECT_EQ(strip().btn1Txt->textColor(), kAmber);
}

}  // namespace
}  // namespace camerabartest
