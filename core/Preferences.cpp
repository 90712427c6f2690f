#include "core/Preferences.h"

#include "camerabar/CameraBar.h"
#include "core/TweakState.h"
#include "manual/ManualFocusHooks.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "tools/CAM_Tools.h"

namespace lumora {
namespace {

constexpr const char* kPath = "/User/Library/Preferences/com.orvane.Lumora3.plist";

const ns::Dictionary* prefs() {
    const auto& d = state().prefsDictionary;
    return d ? &*d : nullptr;
}

bool readBool(const char* key, bool defaultValue) {
    return CAM_Tools::boolForKey(key, defaultValue, prefs());
}

int readInt(const char* key, int defaultValue) {
    return CAM_Tools::intForKey(key, defaultValue, prefs());
}

}  // namespace

const char* preferencesPath() {
    return kPath;
}

void InitVariables() {
    TweakState& s = state();
    s.rememberSettings = false;
    s.rememberFPSSettings = false;
    s._didSetPrefs = false;
    s._resolutionSelected = false;
    s._guideSelected = false;
    s.globCameraMode = 0;
    s.globVideoMode = 0;
    s.sessionCameraMode = 0;
    s.sessionVideoMode = 0;
    s.globTimerMode = 0;
    s.sessionOverlayMode = 0;
    s.guideIndex = 3;
    s.resolutionIndex = 1;
    s.currentTimerTime = 5;
    s.currentTimeLapseTime = 5;
    s.currentTimeType = 0;
    s.globalFrameRateTime = 30;
    s.globalDimensionHeightPhotoBack = 0;
    s.globalDimensionHeightPhotoFront = 0;
    s.globalDimensionHeightVideoBack = 0;
    s.globalDimensionHeightVideoFront = 0;
    s.prevCameraControllerCameraMode = -1;
    s.prevCameraControllerCameraDevice = -1;
    s.canFocus = true;
    s.canExpose = true;
    s.canWhiteBalance = true;
    s.UseAdvancedCamera = false;
    s.capturingPhoto = false;
    s.killtimer = false;
    s.shutterPressWhileTimerOn = false;
    s.touchInsideButtonView = false;
    s.showingButtonArray = false;
    s.buttonsCreated = false;
}

void clearVariables() {
    state().cameraView.reset();
    if (const auto bar = currentCameraBar()) bar->cameraMode = 1;
}

void LoadPrefs() {
    TweakState& s = state();
    s.prefsDictionary = ns::readDictionaryFile(kPath);

    s.rememberSettings = readBool("rememberSettings", false);
    s.globCameraMode = readInt("advPhotoModeAsDefault", 0);
    if (!s._didSetPrefs) s.sessionCameraMode = s.globCameraMode;
    s.globVideoMode = readInt("advVideoModeAsDefault", 0);
    if (!s._didSetPrefs) s.sessionVideoMode = s.globVideoMode;

    s.showHelpHowToShow = readBool("showHelpHowToShow", true);
    s.showDimensions = readBool("showDimensions", true);
    s.showFPS = readBool("showFPS", true);
    s.showOverlays = readBool("showOverlays", true);
    s.showHorizonAlignment = readBool("showHorizonAlignment", true);
    s.showVerticalAlert = readBool("showVerticalAlert", true);
    s.showMemoryWarning = false;
    s.blurButtonBar = readBool("blurButtonBar", true);
    s.showBulb = false;
    s.rememberFPSSettings = readBool("rememberFPSSettings", false);
    s.ACTIVATE = readBool("ENABLED", true);
    s.unMirrorSelfies = readBool("unMirrorSelfies", false);

    s._didSetPrefs = true;
    s.stabilizerIndex = -1;

    if (!s.rememberFPSSettings) {
        // The heights in force are left as they are.
        s.globalFrameRateTime = 30;
        s.globalDimensionHeightVideoBack = 0;
        s.globalDimensionHeightVideoFront = 0;
        s.globalDimensionHeightPhotoBack = 0;
        s.globalDimensionHeightPhotoFront = 0;
    } else {
        s.globalFrameRateTime = readInt("frameRateTime", 30);
        s.currentFrameRate = s.globalFrameRateTime;
        s.globalDimensionHeightVideoBack = readInt("dimensionHeightVideoBack", 0);
        s.globalDimensionHeightVideoFront = readInt("dimensionHeightVideoFront", 0);
        s.globalDimensionHeightPhotoBack = readInt("dimensionHeightPhotoBack", 0);
        s.globalDimensionHeightPhotoFront = readInt("dimensionHeightPhotoFront", 0);
        s.currentDimensionHeightVideoBack = s.globalDimensionHeightVideoBack;
        s.currentDimensionHeightVideoFront = s.globalDimensionHeightVideoFront;
        s.currentDimensionHeightPhotoBack = s.globalDimensionHeightPhotoBack;
        s.currentDimensionHeightPhotoFront = s.globalDimensionHeightPhotoFront;
    }

    if (s.rememberSettings) {
        s.stabilizerIndex = readInt("stabilizerIndex", -1);
        s.guideIndex = readInt("guideIndex", 3);
        s.resolutionIndex = readInt("resolutionIndex", 1);
        s.currentTimerTime = readInt("timerTime", 5);
        s.currentTimeLapseTime = readInt("timeLapseTime", 10);
        s.currentTimeType = readInt("timeType", 0);
        s.globTimerMode = readInt("timerMode", 0);
        s.globOverlayMode = readInt("overlayMode", 0);
        s.sessionOverlayMode = s.globOverlayMode;
        s._resolutionSelected = readBool("resolutionSelected", false);
        s._guideSelected = readBool("guideSelected", false);
        s.horizonAlignmentShowing = readBool("horizonAlignmentShowing", false);
        s.timeStampVisibleAndPlace = readBool("timeStampVisibleAndPlace", true);
    }

    s.timeStampVisible = readBool("timeStampVisible", false);
    s.timestampIncludeTime = readBool("timestampIncludeTime", false);

    // Last, the focus and exposure tool controller re-applies the advanced focus state of the
    // session's photo or video mode. Without a controller there is nothing to do.
    reapplyAdvancedFocusFromSession();
}

bool savePrefs() {
    TweakState& s = state();
    auto& fs = ns::FileSystem::shared();
    if (!s.prefsDictionary && fs.fileExists(kPath))
        s.prefsDictionary = ns::readDictionaryFile(kPath);
    if (!s.prefsDictionary) {
        s.prefsDictionary.emplace();
    } else if (s.prefsDictionary->contains("advPhotoSelected") &&
               CAM_Tools::intForKey("advPhotoSelected", 3, &*s.prefsDictionary) != 3) {
        // A file from an older version: start it afresh.
        s.prefsDictionary->clear();
    }
    ns::Dictionary& d = *s.prefsDictionary;

    d.set("rememberSettings", s.rememberSettings);
    d.set("advPhotoModeAsDefault", static_cast<int>(s.globCameraMode));
    d.set("advVideoModeAsDefault", static_cast<int>(s.globVideoMode));
    d.set("showHelpHowToShow", s.showHelpHowToShow);

    if (s.rememberFPSSettings) {
        d.set("frameRateTime", s.globalFrameRateTime);
        d.set("dimensionHeightVideoBack", s.globalDimensionHeightVideoBack);
        d.set("dimensionHeightVideoFront", s.globalDimensionHeightVideoFront);
        d.set("dimensionHeightPhotoBack", s.globalDimensionHeightPhotoBack);
        d.set("dimensionHeightPhotoFront", s.globalDimensionHeightPhotoFront);
    }

    if (s.rememberSettings) {
        d.set("stabilizerIndex", s.stabilizerIndex);
        d.set("guideIndex", s.guideIndex);
        d.set("resolutionIndex", s.resolutionIndex);
        d.set("timerTime", s.currentTimerTime);
        d.set("timeLapseTime", s.currentTimeLapseTime);
        d.set("timeType", s.currentTimeType);
        d.set("timerMode", static_cast<int>(s.globTimerMode));
        d.set("overlayMode", static_cast<int>(s.globOverlayMode));
        d.set("resolutionSelected", s._resolutionSelected);
        d.set("guideSelected", s._guideSelected);
        d.set("horizonAlignmentShowing", s.horizonAlignmentShowing);
        d.set("timeStampVisibleAndPlace", s.timeStampVisibleAndPlace.load());
    }

    // A value the file cannot hold (a string with a NUL byte, read from a file another program
    // wrote) would make this and every later save fail, losing every change from then on: such
    // an entry is dropped and the rest kept.
    for (const std::string& key : d.keys()) {
        if (!ns::canWritePropertyList(ns::Value(ns::Dictionary{{key, *d.get(key)}}))) d.erase(key);
    }

    if (!fs.fileExists(kPreferencesFolder)) fs.createDirectory(kPreferencesFolder, true);
    // A temporary file renamed over the old one: a failed or interrupted write never leaves a
    // truncated preferences file behind.
    return ns::writePropertyListAtomically(ns::Value(d), kPath);
}

void preferencesChanged(CFNotificationCenterRef, void*, const char*, const void*,
                        const ns::Dictionary*) {
    LoadPrefs();
}

}  // namespace lumora
