// The camera bar's life on the simulated camera app: the slide on the virtual clock, taps through
// the toolkit, the dispatch of the mode buttons, and teardown with animations still pending.

#include <chrono>
#include <ctime>

#include "CameraBarTestSupport.h"
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "core/CameraBarLifecycle.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "host/CameraView.h"
#include "hostapi/ReplaceableMethods.h"
#include "photo/PhotoClock.h"
#include "platform/foundation/FileSystem.h"
#include "platform/ui/UIScrollView.h"
#include "tools/CKBlurView.h"
#include "tools/LumoraHelper.h"

namespace camerabartest {
namespace {

using namespace lumora;

UIControl* control(const std::shared_ptr<NSObject>& object) {
    return dynamic_cast<UIControl*>(object.get());
}

// The slide takes 0.15 s: the flag changes at once, the picture moves over the duration, and the
// hide's completion (the wrench unselected) waits for its end.
TEST_F(BarOnHost, StripSlidesInAndOutOnTheVirtualClock) {
    launch("iphone6");
    tapWrench();
    EXPECT_TRUE(state().showingButtonArray);
    EXPECT_TRUE(control(state().wrenchButton)->isSelected());
    toggleCameraButtonArray(0);
    EXPECT_FALSE(state().showingButtonArray);
    run(0.07);
    const CGFloat midway = strip().presentationState().center.x;
    EXPECT_LT(midway, 375.0 / 2);
    EXPECT_GT(midway, -375.0 / 2);
    EXPECT_TRUE(control(state().wrenchButton)->isSelected());
    run(0.1);
    EXPECT_NEAR(strip().presentationState().center.x, -375.0 / 2, 0.01);
    EXPECT_FALSE(control(state().wrenchButton)->isSelected());
}

// Showing the strip again sets the buttons' targets again; each tap must still act once.
TEST_F(BarOnHost, ShowHideShowStillTogglesWithOneTap) {
    launch("iphone6");
    for (int i = 0; i < 3; ++i) {
        tapWrench();
        run(0.3);
    }
    ASSERT_TRUE(state().showingButtonArray);
    auto* timer = control(state().modeTimerBtn);
    EXPECT_EQ(timer->actionCount(UIControlEventTouchUpInside), 1u);
    tapView(*timer);
    EXPECT_TRUE(timer->isSelected());
    EXPECT_EQ(bar().timerMode, TimerModeTimer);
    tapView(*timer);
    EXPECT_FALSE(timer->isSelected());
    EXPECT_EQ(bar().timerMode, TimerModeNone);
}

// The dispatch table: which taps select what and set which modes.
TEST_F(BarOnHost, ButtonDispatchSetsModesAndKeepsTheTimersExclusive) {
    launch("iphone6");
    tapWrench();
    run(0.2);
    CameraBar& b = bar();
    auto* timer = control(state().modeTimerBtn);
    auto* lapse = control(state().modeLapseTimerBtn);
    tapView(*lapse);
    EXPECT_EQ(b.timerMode, TimerModeTimeLapse);
    EXPECT_EQ(b.selectedMode, SelectedModeTimer);
    tapView(*timer);
    EXPECT_TRUE(timer->isSelected());
    EXPECT_FALSE(lapse->isSelected());
    EXPECT_EQ(b.timerMode, TimerModeTimer);
    // White balance after the timer: the timer mode clears, selectedMode stays 3, cameraMode 0.
    b.cameraMode = 1;
    tapView(*control(state().modeWBBtn));
    EXPECT_EQ(b.timerMode, TimerModeNone);
    EXPECT_EQ(b.selectedMode, SelectedModeTimer);
    EXPECT_EQ(b.cameraMode, 0);
    EXPECT_FALSE(state().canWhiteBalance);
    // Advanced photo on and off follows the tool state.
    tapView(*control(state().modeAdvCameraBtn));
    EXPECT_TRUE(state().UseAdvancedCamera);
    EXPECT_EQ(state().sessionCameraMode, 1);
    tapView(*control(state().modeAdvCameraBtn));
    EXPECT_FALSE(state().UseAdvancedCamera);
    EXPECT_EQ(state().sessionCameraMode, 0);
    // A running count-down makes every tap do nothing.
    b.timerIsRunning = true;
    tapView(*lapse);
    EXPECT_FALSE(lapse->isSelected());
    b.timerIsRunning = false;
}

// The tablet's 300-point column is never shrunk by hiding, however often it is shown and hidden.
TEST_F(BarOnHost, TabletColumnKeepsItsHeightOverManyCycles) {
    launch("ipadair");
    for (int i = 0; i < 6; ++i) {
        toggleCameraButtonArray(-1);
        run(0.4);
    }
    EXPECT_EQ(strip().frame().size.height, 300);
    EXPECT_EQ(strip().scrollview->frame().size.height, 300);
    EXPECT_EQ(strip().viewWithTag(CameraBarView::kBlurTag)->frame().size.height, 300);
}

// Re-showing with a dial open brings the strip, its backgrounds and its pages back to 65.
TEST_F(BarOnHost, ReshowingWithADialOpenReturnsEverythingTo65) {
    launch("iphone6");
    tapWrench();
    run(0.2);
    strip().toggleHeightScrollView(false);
    run(0.2);
    ASSERT_EQ(strip().frame().size.height, 95);
    toggleCameraButtonArray(1);  // laid out again while grown
    run(0.4);
    EXPECT_EQ(strip().frame().size.height, 65);
    EXPECT_EQ(strip().scrollview->frame().size.height, 65);
    EXPECT_EQ(strip().viewWithTag(CameraBarView::kBlurTag)->frame().size.height, 65);
    EXPECT_FALSE(strip().isGrown());
}

// The blur lies in the strip's own coordinates, and a styling rebuilds it after releasing it.
TEST_F(BarOnHost, BlurFillsTheStripAndIsRebuiltAfterRelease) {
    launch("iphone6");
    ASSERT_LT(strip().frame().origin.x, 0);  // hidden off screen
    ASSERT_TRUE(strip().blur);
    EXPECT_EQ(strip().blur->frame(), CGRectMake(0, 0, 375, 65));
    const std::weak_ptr<CKBlurView> before = strip().blur;
    strip().setTextForMode(1L, true);
    ASSERT_TRUE(strip().blur);
    EXPECT_TRUE(before.expired());
    EXPECT_FLOAT_EQ(strip().blur->blurRadius(), 1);
    EXPECT_EQ(strip().blur->superview(), &strip());
}

// With blur off the plain grey background is used and styling removes nothing visible.
TEST_F(BarOnHost, PlainGreyBackgroundWhenBlurIsOff) {
    launch("iphone5s", 0, 0, ns::Dictionary{{"blurButtonBar", false}});
    EXPECT_FALSE(strip().blur);
    ASSERT_TRUE(strip().nonBlur);
    strip().setTextForMode(0L, false);
    EXPECT_EQ(strip().viewWithTag(CameraBarView::kNonBlurTag), strip().nonBlur.get());
    EXPECT_DOUBLE_EQ(strip().nonBlur->alpha(), 0.5);
}

// Page numbers from offsets: the nearest page, clamped, and no division by a zero width.
TEST(CameraBarPaging, PageIsTheNearestClampedAndZeroWidthIsSkipped) {
    struct Row {
        double offset, width, content;
        int page;
    };
    const Row rows[] = {{0, 375, 1125, 0},   {100, 375, 1125, 0},  {200, 375, 1125, 1},
                        {375, 375, 1125, 1}, {750, 375, 1125, 2},  {900, 375, 1125, 2},
                        {-40, 375, 1125, 0}, {1300, 375, 1125, 2}, {50, 0, 1125, 0},
                        {187.5, 375, 750, 1}};
    for (const Row& r : rows) {
        EXPECT_EQ(CameraBarView::pageForOffset(r.offset, r.width, r.content), r.page)
            << r.offset << " / " << r.width;
    }
}

// Turning the page closes an open dial; the strip shrinks back to 65.
TEST_F(BarOnHost, TurningThePageShrinksAGrownStrip) {
    launch("iphone6");
    tapWrench();
    run(0.2);
    strip().toggleHeightScrollView(false);
    run(0.2);
    strip().scrollview->setContentOffset(CGPointMake(375, 0));
    EXPECT_EQ(strip().currentPageNo, 1);
    run(0.4);
    EXPECT_EQ(strip().frame().size.height, 65);
    strip().scrollview->setContentOffset(CGPointMake(0, 0));
    EXPECT_EQ(strip().currentPageNo, 0);
}

// Going to the background tears everything down, also with slides and fades still pending, and
// coming back builds it again.
TEST_F(BarOnHost, BackgroundTearsDownWithPendingAnimationsAndForegroundRebuilds) {
    launch("iphone6");
    tapWrench();
    bar().fadeinText("wb lock");
    bar().timerMode = TimerModeTimer;
    bar().timerTime = 3;
    bar().startTimerMode();
    hideCameraBar(nullptr);
    app_.background();
    EXPECT_EQ(state().cameraBar, nullptr);
    EXPECT_EQ(state()._cameraButtonView, nullptr);
    EXPECT_EQ(state().wrenchButton, nullptr);
    EXPECT_FALSE(state().buttonsCreated);
    EXPECT_EQ(state().prevCameraControllerCameraMode, -1);
    run(5);  // every pending completion and tick finds nothing to touch
    EXPECT_EQ(app_.savedPhotos().size(), 0u);  // the count-down stopped with the bar

    app_.foreground();
    app_.settle();
    ASSERT_NE(currentCameraBar(), nullptr);
    tapWrench();
    run(0.2);
    EXPECT_TRUE(state().showingButtonArray);
}

// Quitting runs stopPreviewAnimated: and the camera view's end; the preferences are saved.
TEST_F(BarOnHost, QuittingSavesThePreferencesAndReleasesTheBar) {
    launch("iphone6", 0, 0, ns::Dictionary{{"rememberSettings", true}});
    tapWrench();
    state().stabilizerIndex = 2;
    app_.terminate();
    const auto prefs = storedPrefs();
    ASSERT_TRUE(prefs);
    for (const char* key :
         {"rememberSettings", "advPhotoModeAsDefault", "advVideoModeAsDefault", "showHelpHowToShow",
          "stabilizerIndex", "timerTime", "timeLapseTime", "horizonAlignmentShowing"}) {
        EXPECT_NE(prefs->get(key), nullptr) << key;
    }
    EXPECT_EQ(prefs->get("stabilizerIndex")->intValue(), std::optional<int>(2));
    EXPECT_EQ(state().cameraBar, nullptr);
}

// Forgetting the camera view puts a live bar back into advanced photo mode.
TEST_F(BarOnHost, ClearVariablesForgetsTheCameraViewAndSetsTheBarAdvanced) {
    launch("iphone6");
    bar().cameraMode = 0;
    clearVariables();
    EXPECT_TRUE(state().cameraView.expired());
    EXPECT_EQ(bar().cameraMode, 1);
}

// The host's orientation report re-lays the tablet's column (top 380 in portrait); a phone's
// strip keeps its place.
class OrientationReport : public BarOnHost,
                          public ::testing::WithParamInterface<std::pair<const char*, double>> {};

TEST_P(OrientationReport, ReLaysTheStripOnlyOnATablet) {
    const auto& [model, expectedY] = GetParam();
    launch(model);
    CGRect f = strip().frame();
    f.origin.y = 7;
    strip().setFrame(f);
    objc::send<hostsel::CAMCameraView::_cameraOrientationChanged>(app_.cameraView(), nullptr);
    EXPECT_EQ(strip().frame().origin.y, expectedY);
}

INSTANTIATE_TEST_SUITE_P(Devices, OrientationReport,
                         ::testing::Values(std::pair{"ipadair", 380.0}, std::pair{"iphone6", 7.0}),
                         [](const auto& info) { return std::string(info.param.first); });

// The touch test converts the point into each control and ignores what is not on screen.
TEST_F(BarOnHost, TouchTestUsesEachViewsCoordinatesAndOnlyViewsOnScreen) {
    launch("iphone6");
    auto* timer = dynamic_cast<UIView*>(state().modeTimerBtn.get());
    UIView* window = app_.window().get();
    const CGRect b = timer->bounds();
    const CGPoint centre = CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b));
    // Before the strip is shown the buttons are not on screen.
    EXPECT_FALSE(
        isTouchOnCameraControlsOrParent(false, timer->convertPointToView(centre, window), window));
    tapWrench();
    run(0.2);
    const CGPoint onTimer = timer->convertPointToView(centre, window);
    EXPECT_TRUE(isTouchOnCameraControlsOrParent(false, onTimer, window));
    EXPECT_TRUE(state().touchInsideButtonView);
    EXPECT_FALSE(isTouchOnCameraControlsOrParent(false, CGPointMake(187, 100), window));
    EXPECT_TRUE(isTouchOnCameraControlsOrParent(true, CGPointMake(187, 100), window));
}

// Recording lowers the blur and darkens it; stopping brings the plain video styling back.
TEST_F(BarOnHost, RecordingRestylesTheStrip) {
    launch("iphone6", 1);
    tapWrench();
    run(0.2);
    EXPECT_FLOAT_EQ(strip().blur->blurRadius(), 10);
    app_.startRecording();
    run(0.5);
    ASSERT_TRUE(strip().blur);
    EXPECT_FLOAT_EQ(strip().blur->blurRadius(), 1);
    app_.stopRecording();
    run(0.5);
    EXPECT_FLOAT_EQ(strip().blur->blurRadius(), 10);
}

// On the front camera the movie button is disabled: showing the strip re-colours its caption
// white and faint; the styling for a recording keeps the amber, faded.
TEST_F(BarOnHost, DisabledMovieCaptionIsWhiteWhenShownAndFadedAmberWhileRecording) {
    launch("iphone6", 1, 1);
    tapWrench();
    run(0.2);
    EXPECT_EQ(strip().btn1Txt->textColor(), UIColor::colorWithWhite(1, 0.3));
    app_.startRecording();
    run(0.5);
    EXPECT_EQ(strip().btn1Txt->textColor(), UIColor::colorWithRed(1, 0.8, 0, 0.3));
    app_.stopRecording();
    run(0.5);
    EXPECT_EQ(strip().btn1Txt->textColor(), UIColor::colorWithRed(1, 0.8, 0, 0.3));
}

// The filter grid hides the wrench while it is open.
TEST_F(BarOnHost, FilterGridHidesTheWrenchWhileOpen) {
    launch("iphone6");
    auto* wrench = dynamic_cast<UIView*>(state().wrenchButton.get());
    app_.showGrid();
    run(0.5);
    EXPECT_TRUE(wrench->isHidden());
    app_.hideGrid();
    run(0.5);
    EXPECT_FALSE(wrench->isHidden());
}

// Turning the phone turns the mode buttons upright, on the 0.4 s rotation.
TEST_F(BarOnHost, RotationTurnsTheButtonsUpright) {
    launch("iphone6");
    tapWrench();
    run(0.2);
    app_.rotate(3);
    run(0.5);
    const CGAffineTransform turned = LumoraHelper::getTransformation(3);
    for (const auto* button : {&state().modeAdvCameraBtn, &state().modeTimerBtn,
                               &state().modeLapseTimerBtn, &state().modeWBBtn}) {
        EXPECT_EQ(dynamic_cast<UIView*>(button->get())->transform(), turned);
    }
    app_.rotate(6);  // face down: nothing turns
    run(0.5);
    EXPECT_EQ(dynamic_cast<UIView*>(state().modeTimerBtn.get())->transform(), turned);
}

// Movie names keep their 12-hour pattern and never name an existing file.
TEST_F(BarOnHost, MovieNamesUseTheTwelveHourClockAndNeverRepeat) {
    std::tm when{};
    when.tm_year = 2015 - 1900;
    when.tm_mon = 1;
    when.tm_mday = 3;
    when.tm_hour = 14;
    when.tm_min = 5;
    when.tm_sec = 9;
    when.tm_isdst = -1;
    const auto instant = std::chrono::system_clock::from_time_t(std::mktime(&when));
    setPhotoClock([instant] { return instant; });
    EXPECT_EQ(CameraBar::generateFileNameWithExtension(".mov"), "Movie-03022015-020509.mov");
    auto& fs = ns::FileSystem::shared();
    fs.createDirectory("/var/mobile/Media/Movies", true);
    EXPECT_EQ(CameraBar::generateFileNameWithExtension(".mov", "/var/mobile/Media/Movies"),
              "Movie-03022015-020509.mov");
    ASSERT_TRUE(fs.writeFileAtomically("/var/mobile/Media/Movies/Movie-03022015-020509.mov", {1}));
    EXPECT_EQ(CameraBar::generateFileNameWithExtension(".mov", "/var/mobile/Media/Movies"),
              "Movie-03022015-020509-2.mov");
    setPhotoClock(nullptr);
}

}  // namespace
}  // namespace camerabartest
