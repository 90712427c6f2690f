// The camera bar controller: initialisation, the dispatch of the mode buttons, the transient
// notice, the background path, teardown and movie file names.
#include "camerabar/CameraBar.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>

#include "artwork/CustomDrawButton.h"
#include "camerabar/CompanionCalls.h"
#include "capture/Stabilization.h"
#include "capture/WhiteBalance.h"
#include "core/CameraBarLifecycle.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "photo/PhotoClock.h"
#include "platform/foundation/FileSystem.h"
#include "platform/media/AudioPlayer.h"
#include "platform/media/MotionManager.h"
#include "platform/ui/UIControl.h"
#include "tools/CAM_Tools.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

UIControl* control(const std::shared_ptr<NSObject>& object) {
    return dynamic_cast<UIControl*>(object.get());
}

void setSelected(const std::shared_ptr<NSObject>& button, bool selected) {
    if (auto* c = control(button)) c->setSelected(selected);
}

// Inverts the button's selected state and answers the new one (false without a button).
bool invertSelected(const std::shared_ptr<NSObject>& button) {
    UIControl* c = control(button);
    if (c == nullptr) return false;
    c->setSelected(!c->isSelected());
    return c->isSelected();
}

}  // namespace

std::shared_ptr<CameraBar> currentCameraBar() {
    return std::dynamic_pointer_cast<CameraBar>(state().cameraBar);
}

std::shared_ptr<CameraBar> CameraBar::initWithFrame(CGRect) {
    auto bar = std::make_shared<CameraBar>();
    bar->init();
    return bar;
}

void CameraBar::init() {
    TweakState& s = state();
    timerIsRunning = false;
    if (!s.prefsDictionary) LoadPrefs();
    // Read from the file directly: values not saved yet keep these defaults.
    const ns::Dictionary* prefs = s.prefsDictionary ? &*s.prefsDictionary : nullptr;
    cameraMode = CAM_Tools::intForKey("advPhotoModeAsDefault", 0, prefs);
    videoMode = CAM_Tools::intForKey("advVideoModeAsDefault", 0, prefs);
    timerTime = CAM_Tools::intForKey("timerTime", 5, prefs);
    timeLapseTime = CAM_Tools::intForKey("timeLapseTime", 5, prefs);
    frameRateTime = CAM_Tools::intForKey("frameRateTime", 30, prefs);
    timeType = CAM_Tools::intForKey("timeType", 0, prefs);
    timerMode = TimerModeNone;
    frameRateMode = 0;

    setUpHorizonAlignment();

    countDownSound =
        AVAudioPlayer::initWithContentsOfPhonePath(CAM_Tools::resourcePath("Sounds/count.aif"));
    if (countDownSound) countDownSound->setVolume(1.0f);
}

CameraBar::~CameraBar() {
    if (countDownSound) countDownSound->stop();
    countDownSound.reset();
    DestroyCMDeviceMotion();
    teardownDialAndTimer();
    dialViewController.reset();
    releaseDimensionSelectionView();
}

// ---- Dispatch ----

void CameraBar::cameraBarButtonTapped(UIControl* sender) {
    if (timerIsRunning || sender == nullptr) return;
    // Taps may tear down and rebuild what holds this controller.
    const std::shared_ptr<NSObject> keepAlive = shared_from_this();
    const bool advancedFocusWasOn = state().UseAdvancedCamera;
    timerMode = TimerModeNone;
    bool stop = false;
    dispatchTag(sender, sender->tag(), stop);
    if (stop) return;
    checkSelectionDialSetup();
    reconcileAdvancedFocus(advancedFocusWasOn);
}

void CameraBar::dispatchTag(UIControl* sender, long tag, bool& stop) {
    TweakState& s = state();
    switch (tag) {
        case TAG_CUSTOM_BUTTON:
            if (!s.modeCustomBtn) {
                stop = true;
                return;
            }
            setSelected(s.modeTimerBtn, false);
            setSelected(s.modeLapseTimerBtn, false);
            return;
        case TAG_CAMERA_BUTTON:
            selectedMode = SelectedModeAdvancedPhoto;
            sender->setSelected(!sender->isSelected());
            cameraMode = sender->isSelected() ? 1 : 0;
            return;
        case TAG_TIMER_BUTTON:
            selectedMode = SelectedModeTimer;
            if (invertSelected(s.modeTimerBtn)) timerMode = TimerModeTimer;
            setSelected(s.modeLapseTimerBtn, false);
            return;
        case TAG_TIMELAPSE_BUTTON:
            selectedMode = SelectedModeTimer;
            if (invertSelected(s.modeLapseTimerBtn)) timerMode = TimerModeTimeLapse;
            setSelected(s.modeTimerBtn, false);
            return;
        case TAG_VIDEO_BUTTON:
            selectedMode = SelectedModeAdvancedVideo;
            sender->setSelected(!sender->isSelected());
            videoMode = sender->isSelected() ? 1 : 0;
            return;
        case TAG_WB_BUTTON: {
            const bool locked = invertSelected(s.modeWBBtn);
            s.canWhiteBalance = !locked;
            if (s.canWhiteBalance) {
                hideAndDestroyWBLabel();
            } else if (!s.whiteBalanceLockLbl) {
                createAndShowWBLabel();
            }
            toggleWhiteBalance(!s.canWhiteBalance);
            return;
        }
        case TAG_TOGGLE_STABILIZATION:
            if (auto* button = dynamic_cast<CustomDrawButton*>(sender)) {
                toggleStabilizeMode(button->drawFlow(), true);
            }
            return;
        default:
            return;
    }
}

void CameraBar::reconcileAdvancedFocus(bool advancedFocusWasOn) {
    TweakState& s = state();
    auto reconcile = [&](long mode, long& sessionMode, const std::shared_ptr<NSObject>& button) {
        if (mode == 1 && !advancedFocusWasOn) {
            s.UseAdvancedCamera = true;
            sessionMode = 1;
            focustool::toggleAdvancedFocus(true, nullptr, true);
            setSelected(button, true);
        } else if (mode != 1 && advancedFocusWasOn) {
            s.UseAdvancedCamera = false;
            sessionMode = 0;
            focustool::toggleAdvancedFocus(false, nullptr, true);
            setSelected(button, false);
        }
    };
    if (selectedMode == SelectedModeAdvancedVideo) {
        reconcile(videoMode, s.sessionVideoMode, s.modeAdvVideoBtn);
    } else if (selectedMode == SelectedModeAdvancedPhoto) {
        reconcile(cameraMode, s.sessionCameraMode, s.modeAdvCameraBtn);
    } else {
        // Kept as it stands: advanced focus itself is not changed here.
        cameraMode = 0;
    }
}

std::string CameraBar::getButtonTagByName(long tag) {
    switch (tag) {
        case TAG_CUSTOM_BUTTON:
            return "TAG_CUSTOM_BUTTON";
        case TAG_CAMERA_BUTTON:
            return "TAG_CAMERA_BUTTON";
        case TAG_TIMER_BUTTON:
            return "TAG_TIMER_BUTTON";
        case TAG_TIMELAPSE_BUTTON:
            return "TAG_TIMELAPSE_BUTTON";
        case TAG_VIDEO_BUTTON:
            return "TAG_VIDEO_BUTTON";
        case TAG_WB_BUTTON:
            return "TAG_WB_BUTTON";
        case TAG_TOGGLE_STABILIZATION:
            return "TAG_TOGGLE_STABILIZATION";
        default:
            return "";
    }
}

std::string CameraBar::getTimerModeByName(long mode) {
    switch (mode) {
        case TimerModeNone:
            return "TimerModeNone";
        case TimerModeTimeLapse:
            return "TimerModeTimeLapse";
        case TimerModeTimer:
            return "TimerModeTimer";
        default:
            return "";
    }
}

// ---- Notice ----

void CameraBar::fadeinText(const std::string& text) {
    fadeinText(text, 0.8f);
}

void CameraBar::fadeinText(const std::string& text, float duration) {
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::shared_ptr<UIView> parent;
    CGRect frame;
    if (isTablet()) {
        parent = state().cameraView.lock();
        frame = CGRectMake(10, 14, 200, 22);
    } else {
        parent = state()._CAMTopBar.lock();
        frame = CGRectMake(0, 55.5, 320, 22);
    }
    auto label = std::make_shared<CustomTransparentFilledLabel>(frame);
    if (parent) parent->addSubview(label);
    label->setAlpha(0);
    label->setHidden(false);
    label->setTextEx(upper);
    // The label is held by the animation chain only weakly beyond its superview: a notice
    // whose parent went is simply dropped.
    std::weak_ptr<CustomTransparentFilledLabel> weak = label;
    UIView::animateWithDuration(
        duration, 0, UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); },
        [weak](bool) {
            UIView::animateWithDuration(
                1.2, [] {},
                [weak](bool) {
                    auto l = weak.lock();
                    if (!l) return;
                    UIView::animateWithDuration(
                        1.2, 0, UIViewAnimationOptionCurveLinear, [l] { l->setAlpha(0); },
                        [weak](bool) {
                            if (auto done = weak.lock()) {
                                done->setText("");
                                done->setHidden(true);
                                done->removeFromSuperview();
                            }
                        });
                });
        });
}

void CameraBar::toggleCameraButton() {
    toggleCameraButtonArray(-1);
}

void CameraBar::cameraButtonTouchDownRepeat(UIControl*) {}

// ---- Background ----

void CameraBar::appDidEnterBackground() {
    TweakState& s = state();
    s.prevCameraControllerCameraMode = -1;
    s.prevCameraControllerCameraDevice = -1;
    s.killtimer = true;
    toggleElementFinished(HIDE_FPS_SELECTOR, 1.0f);
    focustool::toggleAdvancedFocus(false, nullptr, false);
    // Releases this controller (the caller keeps it alive for the call); nothing here runs after.
    destroyObjects(true);
}

// ---- Movie names ----

std::string CameraBar::generateFileNameWithExtension(const std::string& extension) {
    const std::time_t t = std::chrono::system_clock::to_time_t(photoNow());
    std::tm local{};
    localtime_r(&t, &local);
    int hour12 = local.tm_hour % 12;
    if (hour12 == 0) hour12 = 12;
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%04d-%02d%02d%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, hour12, local.tm_min, local.tm_sec);
    return "Movie-" + std::string(stamp) + extension;
}

std::string CameraBar::generateFileNameWithExtension(const std::string& extension,
                                                     const std::string& folder) {
    const std::string name = generateFileNameWithExtension(extension);
    const auto& fs = ns::FileSystem::shared();
    const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    if (!fs.fileExists(dir + name)) return name;
    // The 12-hour clock repeats every 12 hours: number the later file instead of overwriting.
    const std::string stem = name.substr(0, name.size() - extension.size());
    for (int n = 2;; ++n) {
        std::string candidate = stem + "-" + std::to_string(n) + extension;
        if (!fs.fileExists(dir + candidate)) return candidate;
    }
}

}  // namespace lumora
