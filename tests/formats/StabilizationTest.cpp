// The stabilization cycle and its application to the video connection.

#include "FormatsTestSupport.h"
#include "capture/Stabilization.h"
#include "core/TweakState.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureDevice.h"

namespace formatstest {
namespace {

using namespace lumora;

class Stabilization : public FormatsTest {
protected:
    void setUpModel(const platform::DeviceProfile& p,
                    const platform::CaptureDeviceFaults& faults = {}) {
        useProfile(p, false, faults);
        addHostViews();
        controller_->mode = 1;
        state().rememberSettings = true;
    }
    // The iPhone 6 with only Off and Standard on every back format.
    static platform::DeviceProfile offAndStandardOnly() {
        platform::DeviceProfile p = profile("iphone6");
        for (auto& f : p.back->formats) {
            f.stabilizationModes = {AVCaptureVideoStabilizationModeOff,
                                    AVCaptureVideoStabilizationModeStandard};
        }
        return p;
    }
    std::shared_ptr<AVCaptureConnection> connection() {
        return controller_->output->connectionWithMediaType(AVMediaTypeVideo);
    }
    // Runs one toggle; returns the mode shown (the button and the stored index agree).
    int toggle(int mode, bool advance) {
        stabilizationBtn_->clearNeedsDisplay();
        toggleStabilizeMode(mode, advance);
        EXPECT_TRUE(stabilizationBtn_->needsDisplay());
        EXPECT_EQ(stabilizationBtn_->drawFlow(), state().stabilizerIndex);
        return state().stabilizerIndex;
    }
};

TEST_F(Stabilization, OnlyOffAndStandardSupportedCycleBetweenThem) {
    setUpModel(offAndStandardOnly());
    EXPECT_EQ(toggle(1, true), 0);  // 2 and -1 are skipped
    EXPECT_EQ(connection()->preferredVideoStabilizationMode(), 0);
    EXPECT_EQ(toggle(0, true), 1);
    EXPECT_EQ(connection()->preferredVideoStabilizationMode(), 1);
    // Re-applying an unsupported stored mode moves on to the next supported one.
    EXPECT_EQ(toggle(2, false), 0);
    EXPECT_EQ(toggle(-1, false), 0);
    EXPECT_EQ(toggle(1, false), 1);
    auto prefs = readPrefs();
    ASSERT_TRUE(prefs.has_value());
    EXPECT_EQ(prefs->get("stabilizerIndex")->intValue(), 1);
}

TEST_F(Stabilization, TheCycleWrapsFromCinematicToAuto) {
    setUpModel(profile("iphone6"));
    activate(formatsOfHeight(1080)[0]);  // off, standard, cinematic, auto
    EXPECT_EQ(toggle(2, true), -1);
    EXPECT_EQ(toggle(-1, true), 0);
    EXPECT_EQ(toggle(1, true), 2);
    EXPECT_EQ(toggle(2, false), 2);
    EXPECT_EQ(connection()->preferredVideoStabilizationMode(), 2);
}

TEST_F(Stabilization, NoSupportedModeKeepsTheStartShownButUnapplied) {
    setUpModel(profile("iphone6"), {true, false, false});  // no formats, no active format
    EXPECT_EQ(toggle(1, true), 1);
    EXPECT_EQ(toggle(-1, false), -1);
    // Values outside the cycle (a damaged stored value) end the search too.
    EXPECT_EQ(toggle(7, false), 7);
    EXPECT_EQ(toggle(-5, true), -5);
    EXPECT_EQ(connection()->preferredVideoStabilizationMode(), AVCaptureVideoStabilizationModeOff);
    EXPECT_FALSE(readPrefs().has_value());
}

TEST_F(Stabilization, ShownButNotAppliedOutsideVideoOrWithoutConnection) {
    setUpModel(offAndStandardOnly());
    controller_->mode = 0;
    EXPECT_EQ(toggle(0, true), 1);
    controller_->mode = 1;
    controller_->output = nullptr;
    EXPECT_EQ(toggle(1, true), 0);
    EXPECT_FALSE(readPrefs().has_value());
}

TEST_F(Stabilization, NothingBeforeTheSessionRunsOrWithoutTheButton) {
    setUpModel(offAndStandardOnly());
    state().stabilizerIndex = -1;
    state().sessionHasStarted = false;
    toggleStabilizeMode(0, true);
    EXPECT_EQ(stabilizationBtn_->drawFlow(), 99);
    state().sessionHasStarted = true;
    state().modeToggleStabilizationBtn.reset();
    toggleStabilizeMode(0, true);
    EXPECT_EQ(state().stabilizerIndex, -1);
    EXPECT_EQ(connection()->preferredVideoStabilizationMode(), AVCaptureVideoStabilizationModeOff);
}

TEST_F(Stabilization, ModeNamesForTheLog) {
    EXPECT_EQ(getStabilizationModeStringByInt(-1), "AVCaptureVideoStabilizationModeAuto");
    EXPECT_EQ(getStabilizationModeStringByInt(0), "AVCaptureVideoStabilizationModeOff");
    EXPECT_EQ(getStabilizationModeStringByInt(1), "AVCaptureVideoStabilizationModeStandard");
    EXPECT_EQ(getStabilizationModeStringByInt(2), "AVCaptureVideoStabilizationModeCinematic");
    EXPECT_EQ(getStabilizationModeStringByInt(3), "");
    EXPECT_EQ(getStabilizationModeStringByInt(-2), "");
}

}  // namespace
}  // namespace formatstest
