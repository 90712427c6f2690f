// The capture controller's start of recording with the add-on: the host records unless the
// custom-mode button is selected in video mode (the camera bar records then); either way the
// strip takes its recording styling and the resolution picker closes.

#include "CameraBarTestSupport.h"
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "camerabar/ElementTaps.h"
#include "core/TweakState.h"
#include "host/CaptureController.h"
#include "overlays/CustomDimensionView.h"
#include "platform/ui/UIButton.h"
#include "tools/CKBlurView.h"

namespace camerabartest {
namespace {

using namespace lumora;

struct StartCase {
    long mode;            // host mode: 1 video, 2 slow motion
    bool customSelected;  // the custom-mode button exists and is selected
    bool hostRecords;
};

class StartRecording : public BarOnHost, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartRecording, HostRecordsUnlessCustomModeInVideoAndPanelsClose) {
    const StartCase c = GetParam();
    launch("iphone6", c.mode, 0, ns::Dictionary{{"showDimensions", true}});
    tapWrench();
    run(0.2);
    auto custom = std::make_shared<UIButton>();
    custom->setSelected(c.customSelected);
    state().modeCustomBtn = custom;
    tapResolutionBadge(bar());
    run(1);
    ASSERT_NE(bar().dimensionSelectionView, nullptr);
    ASSERT_TRUE(bar().dimensionSelectorViewShowing);

    app_.startRecording();
    run(1);
    EXPECT_EQ(app_.captureController()->isRecording(), c.hostRecords);
    ASSERT_TRUE(strip().blur);
    EXPECT_FLOAT_EQ(strip().blur->blurRadius(), 1);  // styled as recording
    EXPECT_FALSE(bar().dimensionSelectorViewShowing);
    EXPECT_EQ(bar().dimensionSelectionView->alpha(), 0);
    state().modeCustomBtn.reset();
}

INSTANTIATE_TEST_SUITE_P(Cases, StartRecording,
                         ::testing::Values(StartCase{1, true, false}, StartCase{1, false, true},
                                           StartCase{2, true, true}),
                         [](const ::testing::TestParamInfo<StartCase>& info) {
                             return std::string(info.param.mode == 1 ? "Video" : "SlowMotion") +
                                    (info.param.customSelected ? "CustomSelected" : "CustomOff");
                         });

}  // namespace
}  // namespace camerabartest
