#include <gtest/gtest.h>

#include "TweakTestSupport.h"
#include "core/Preferences.h"
#include "platform/foundation/PropertyList.h"
#include "tools/CAM_Tools.h"

namespace {

using namespace lumora;
using tweaktest::DeviceRootTest;

class Preferences : public DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InitVariables();
    }
    // The values of a load from a file with nothing in it.
    void expectDefaults() {
        const TweakState& s = state();
        EXPECT_TRUE(s.ACTIVATE);
        EXPECT_FALSE(s.rememberSettings);
        EXPECT_FALSE(s.rememberFPSSettings);
        EXPECT_EQ(s.globCameraMode, 0);
        EXPECT_EQ(s.globVideoMode, 0);
        EXPECT_TRUE(s.showHelpHowToShow);
        EXPECT_TRUE(s.showDimensions);
        EXPECT_TRUE(s.showFPS);
        EXPECT_TRUE(s.showOverlays);
        EXPECT_TRUE(s.showHorizonAlignment);
        EXPECT_TRUE(s.showVerticalAlert);
        EXPECT_TRUE(s.blurButtonBar);
        EXPECT_FALSE(s.unMirrorSelfies);
        EXPECT_FALSE(s.showBulb);
        EXPECT_FALSE(s.showMemoryWarning);
        EXPECT_EQ(s.stabilizerIndex, -1);
        EXPECT_EQ(s.globalFrameRateTime, 30);
        EXPECT_EQ(s.currentTimeLapseTime, 5);
        EXPECT_FALSE(s.timeStampVisible);
        EXPECT_FALSE(s.timeStampVisibleAndPlace);
        EXPECT_TRUE(s._didSetPrefs);
    }
};

TEST_F(Preferences, InitVariablesGivesTheStartValues) {
    const TweakState& s = state();
    EXPECT_EQ(s.guideIndex, 3);
    EXPECT_EQ(s.resolutionIndex, 1);
    EXPECT_EQ(s.currentTimerTime, 5);
    EXPECT_EQ(s.currentTimeLapseTime, 5);
    EXPECT_EQ(s.globalFrameRateTime, 30);
    EXPECT_EQ(s.prevCameraControllerCameraMode, -1);
    EXPECT_EQ(s.prevCameraControllerCameraDevice, -1);
    EXPECT_TRUE(s.canFocus);
    EXPECT_TRUE(s.canExpose);
    EXPECT_TRUE(s.canWhiteBalance);
    EXPECT_EQ(s.currentFrameRate, 0);
    EXPECT_EQ(s.stabilizerIndex, 0);
    EXPECT_FALSE(s.ACTIVATE);
}

TEST_F(Preferences, MissingEmptyDamagedOrWrongFilesGiveDefaults) {
    const std::string path = preferencesPath();
    const std::vector<std::string> contents{
        "",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>ENABLED</key><fal",
        "this is not a property list",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>1</integer></array>"
        "</plist>",
    };
    LoadPrefs();
    expectDefaults();
    EXPECT_FALSE(state().prefsDictionary.has_value());
    for (const auto& bytes : contents) {
        writeFile(path, bytes);
        InitVariables();
        LoadPrefs();
        SCOPED_TRACE(bytes);
        expectDefaults();
        EXPECT_FALSE(state().prefsDictionary.has_value());
    }
    // The next save replaces the damaged file with a valid one.
    ASSERT_TRUE(savePrefs());
    auto saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), 4u);
    EXPECT_EQ(saved->get("rememberSettings")->boolean(), false);
}

TEST_F(Preferences, WrongValueTypesFallBackToDefaults) {
    writePrefs(ns::Dictionary{{"ENABLED", ns::Array{}},
                              {"showFPS", ns::Dictionary{}},
                              {"rememberFPSSettings", true},
                              {"frameRateTime", ns::Value::data({1})},
                              {"dimensionHeightVideoBack", "720"},
                              {"advPhotoModeAsDefault", "1"}});
    LoadPrefs();
    EXPECT_TRUE(state().ACTIVATE);
    EXPECT_TRUE(state().showFPS);
    EXPECT_EQ(state().globalFrameRateTime, 30);
    EXPECT_EQ(state().globalDimensionHeightVideoBack, 720);  // numeric strings pass through
    EXPECT_EQ(state().globCameraMode, 1);
}

TEST_F(Preferences, SettingsScreenIntegersReadAsBooleans) {
    writePrefs(ns::Dictionary{{"ENABLED", 0}, {"unMirrorSelfies", 1}, {"showDimensions", 0}});
    LoadPrefs();
    EXPECT_FALSE(state().ACTIVATE);
    EXPECT_TRUE(state().unMirrorSelfies);
    EXPECT_FALSE(state().showDimensions);
}

TEST_F(Preferences, StartModesSeedTheSessionOnlyOnTheFirstLoad) {
    writePrefs(ns::Dictionary{{"advPhotoModeAsDefault", 1}, {"advVideoModeAsDefault", 1}});
    LoadPrefs();
    EXPECT_EQ(state().sessionCameraMode, 1);
    EXPECT_EQ(state().sessionVideoMode, 1);
    writePrefs(ns::Dictionary{{"advPhotoModeAsDefault", 0}, {"advVideoModeAsDefault", 0}});
    preferencesChanged(nullptr, nullptr, kSettingsChangedNotification, nullptr, nullptr);
    EXPECT_EQ(state().globCameraMode, 0);
    EXPECT_EQ(state().sessionCameraMode, 1);
    EXPECT_EQ(state().sessionVideoMode, 1);
}

TEST_F(Preferences, RememberFPSOffResetsStoredValuesButNotThoseInForce) {
    state().currentDimensionHeightVideoBack = 720;
    state().currentFrameRate = 60;
    writePrefs(ns::Dictionary{{"rememberFPSSettings", false},
                              {"frameRateTime", 120},
                              {"dimensionHeightVideoBack", 1080}});
    state().globalFrameRateTime = 120;
    state().globalDimensionHeightPhotoFront = 480;
    LoadPrefs();
    EXPECT_EQ(state().globalFrameRateTime, 30);
    EXPECT_EQ(state().globalDimensionHeightVideoBack, 0);
    EXPECT_EQ(state().globalDimensionHeightPhotoFront, 0);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(state().currentFrameRate, 60);
}

TEST_F(Preferences, RememberFPSOnLoadsStoredAndInForceValues) {
    writePrefs(ns::Dictionary{{"rememberFPSSettings", true},
                              {"frameRateTime", 120},
                              {"dimensionHeightVideoBack", 720},
                              {"dimensionHeightVideoFront", 480},
                              {"dimensionHeightPhotoBack", 1936},
                              {"dimensionHeightPhotoFront", 960}});
    LoadPrefs();
    const TweakState& s = state();
    EXPECT_EQ(s.globalFrameRateTime, 120);
    EXPECT_EQ(s.currentFrameRate, 120);
    EXPECT_EQ(s.currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(s.currentDimensionHeightVideoFront, 480);
    EXPECT_EQ(s.currentDimensionHeightPhotoBack, 1936);
    EXPECT_EQ(s.currentDimensionHeightPhotoFront, 960);
    EXPECT_EQ(s.globalDimensionHeightPhotoFront, 960);
}

TEST_F(Preferences, TimeLapseStartsAtFiveButARememberedFileWithoutItGivesTen) {
    writePrefs(ns::Dictionary{{"rememberSettings", false}});
    LoadPrefs();
    EXPECT_EQ(state().currentTimeLapseTime, 5);
    writePrefs(ns::Dictionary{{"rememberSettings", true}});
    LoadPrefs();
    EXPECT_EQ(state().currentTimeLapseTime, 10);
    EXPECT_EQ(state().stabilizerIndex, -1);
    EXPECT_EQ(state().guideIndex, 3);
    EXPECT_TRUE(state().timeStampVisibleAndPlace);
}

TEST_F(Preferences, RememberedSettingsAndTimeStamps) {
    writePrefs(ns::Dictionary{{"rememberSettings", true},
                              {"stabilizerIndex", 2},
                              {"guideIndex", 1},
                              {"resolutionIndex", 4},
                              {"timerTime", 10},
                              {"timeLapseTime", 30},
                              {"timeType", 1},
                              {"timerMode", 2},
                              {"overlayMode", 3},
                              {"resolutionSelected", true},
                              {"guideSelected", true},
                              {"horizonAlignmentShowing", true},
                              {"timeStampVisibleAndPlace", false},
                              {"timeStampVisible", true},
                              {"timestampIncludeTime", "YES"}});
    LoadPrefs();
    const TweakState& s = state();
    EXPECT_EQ(s.stabilizerIndex, 2);
    EXPECT_EQ(s.guideIndex, 1);
    EXPECT_EQ(s.resolutionIndex, 4);
    EXPECT_EQ(s.currentTimerTime, 10);
    EXPECT_EQ(s.currentTimeLapseTime, 30);
    EXPECT_EQ(s.currentTimeType, 1);
    EXPECT_EQ(s.globTimerMode, 2);
    EXPECT_EQ(s.globOverlayMode, 3);
    EXPECT_EQ(s.sessionOverlayMode, 3);
    EXPECT_TRUE(s._resolutionSelected);
    EXPECT_TRUE(s._guideSelected);
    EXPECT_TRUE(s.horizonAlignmentShowing);
    EXPECT_FALSE(s.timeStampVisibleAndPlace);
    EXPECT_TRUE(s.timeStampVisible);
    EXPECT_TRUE(s.timestampIncludeTime);
}

TEST_F(Preferences, TimeStampPlacementIsLoadedOnlyWhenRemembering) {
    writePrefs(ns::Dictionary{{"rememberSettings", false},
                              {"timeStampVisibleAndPlace", true},
                              {"timeStampVisible", true}});
    LoadPrefs();
    EXPECT_FALSE(state().timeStampVisibleAndPlace);
    EXPECT_TRUE(state().timeStampVisible);
}

TEST_F(Preferences, SaveWithoutRememberWritesOnlyTheFourKeysAndKeepsOthers) {
    writePrefs(ns::Dictionary{{"ENABLED", 1}, {"showFPS", 0}, {"guideIndex", 2}});
    LoadPrefs();
    state().globCameraMode = 1;
    state().guideIndex = 0;
    state().globalFrameRateTime = 60;
    ASSERT_TRUE(savePrefs());
    auto saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->keys(),
              (std::vector<std::string>{"ENABLED", "advPhotoModeAsDefault", "advVideoModeAsDefault",
                                        "guideIndex", "rememberSettings", "showFPS",
                                        "showHelpHowToShow"}));
    EXPECT_EQ(saved->get("advPhotoModeAsDefault")->integer(), 1);
    EXPECT_EQ(saved->get("guideIndex")->integer(), 2);  // not the tweak's to write now
    EXPECT_EQ(saved->get("showFPS")->integer(), 0);
    EXPECT_EQ(saved->get("showHelpHowToShow")->boolean(), true);
}

TEST_F(Preferences, SaveWithRememberFPSAddsTheFrameRateKeys) {
    writePrefs(ns::Dictionary{{"rememberFPSSettings", true}});
    LoadPrefs();
    state().globalFrameRateTime = 60;
    state().globalDimensionHeightVideoFront = 720;
    ASSERT_TRUE(savePrefs());
    auto saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), 10u);
    EXPECT_EQ(saved->get("frameRateTime")->integer(), 60);
    EXPECT_EQ(saved->get("dimensionHeightVideoFront")->integer(), 720);
    EXPECT_EQ(saved->get("dimensionHeightPhotoBack")->integer(), 0);
    EXPECT_FALSE(saved->contains("timerTime"));
}

TEST_F(Preferences, SaveWithRememberWritesEverySessionValueAndRoundTrips) {
    writePrefs(ns::Dictionary{{"rememberSettings", true}});
    LoadPrefs();
    TweakState& s = state();
    s.currentTimerTime = 15;
    s.currentTimeLapseTime = 45;
    s.globOverlayMode = 2;
    s.horizonAlignmentShowing = true;
    s.timeStampVisibleAndPlace = false;
    ASSERT_TRUE(savePrefs());
    auto saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), 16u);
    EXPECT_TRUE(saved->get("horizonAlignmentShowing")->isBoolean());
    EXPECT_TRUE(saved->get("timerTime")->isInteger());
    resetState();
    InitVariables();
    LoadPrefs();
    EXPECT_EQ(state().currentTimerTime, 15);
    EXPECT_EQ(state().currentTimeLapseTime, 45);
    EXPECT_EQ(state().sessionOverlayMode, 2);
    EXPECT_TRUE(state().horizonAlignmentShowing);
    EXPECT_FALSE(state().timeStampVisibleAndPlace);
}

TEST_F(Preferences, AnOldFileMarkedAdvPhotoSelectedIsEmptiedOnSave) {
    writePrefs(ns::Dictionary{{"advPhotoSelected", 1}, {"showFPS", 0}});
    LoadPrefs();
    ASSERT_TRUE(savePrefs());
    auto saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(saved->contains("showFPS"));
    EXPECT_FALSE(saved->contains("advPhotoSelected"));
    EXPECT_EQ(saved->size(), 4u);

    writePrefs(ns::Dictionary{{"advPhotoSelected", 3}, {"showFPS", 0}});
    LoadPrefs();
    ASSERT_TRUE(savePrefs());
    saved = readPrefs();
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->contains("showFPS"));
    EXPECT_TRUE(saved->contains("advPhotoSelected"));
}

TEST_F(Preferences, SaveBeforeAnyLoadMergesWithTheFileAndCreatesTheFolder) {
    std::filesystem::remove_all(hostPath("/var/mobile/Library/Preferences"));
    ASSERT_TRUE(savePrefs());
    EXPECT_EQ(readPrefs()->size(), 4u);

    resetState();
    InitVariables();
    writePrefs(ns::Dictionary{{"showVerticalAlert", false}});
    ASSERT_TRUE(savePrefs());  // no load in between: the file's keys are kept
    EXPECT_TRUE(readPrefs()->contains("showVerticalAlert"));
}

TEST_F(Preferences, BothPhonePathsAreOneFile) {
    writeFile("/var/mobile/Library/Preferences/com.orvane.Lumora3.plist",
              ns::toXmlPropertyList(ns::Value(ns::Dictionary{{"ENABLED", false}})));
    LoadPrefs();
    EXPECT_FALSE(state().ACTIVATE);
}

class FakeCameraView : public CAMCameraView {
public:
    void takePicture() override {}
    bool _isCapturing() const override { return false; }
    void _clearFocusViews() override {}
    void _panFocus(bool, bool, CGPoint) override {}
    void _startFocus(bool, bool, CGPoint, bool) override {}
};

TEST_F(Preferences, ClearVariablesForgetsTheCameraViewWithoutOwningIt) {
    auto view = std::make_shared<FakeCameraView>();
    state().cameraView = view;
    clearVariables();
    EXPECT_TRUE(state().cameraView.expired());
    EXPECT_EQ(view.use_count(), 1);
}

}  // namespace
