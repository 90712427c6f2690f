// The self-timer and time-lapse engine: the dial's action circle, the one-second count-down,
// the photo at zero, and the hand-offs with the host's shutter and photo reports.
//
// One count-down at a time: the running timer is kept in `runningCountDown` and invalidated
// before another starts, when the user stops it, and at teardown. Main thread only (the timer
// is scheduled on the main run loop; every caller runs there).
#include "camerabar/CameraBar.h"
#include "capture/ApplyFormat.h"
#include "core/CameraBarLifecycle.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "dial/DialViewController.h"
#include "platform/media/AudioPlayer.h"
#include "platform/runloop/Timer.h"
#include "platform/ui/UIControl.h"

namespace lumora {
namespace {

constexpr double kTick = 1.0;
// The self-timer ticks audibly in its last three seconds.
constexpr int kSoundedSeconds = 3;

void deselect(const std::shared_ptr<NSObject>& button) {
    if (auto* c = dynamic_cast<UIControl*>(button.get())) c->setSelected(false);
}

// A time lapse waiting for its photo's report between two shots: not counting, but the dial
// keeps its running look and its circle reads "Stop".
bool seriesArmedBetweenShots(const CameraBar& bar) {
    const DialViewController* dial = bar.dialViewController.get();
    return bar.timerMode == TimerModeTimeLapse && dial != nullptr && dial->dialView() != nullptr &&
           dial->dialView()->isRunning();
}

// The action circle as a stop button: the timer mode goes, the count-down ends now and the
// dial is removed (without another reset).
void stopFromDial(CameraBar& bar) {
    TweakState& s = state();
    deselect(s.modeTimerBtn);
    deselect(s.modeLapseTimerBtn);
    bar.timerMode = TimerModeNone;
    s.killtimer = true;
    bar.stopCountDownNow();
    bar.toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
}

void startSelfTimerFromDial(CameraBar& bar, const DialViewController& dial) {
    TweakState& s = state();
    bar.timerMode = TimerModeTimer;
    bar.timerTime = dial.getCurrentCount();
    if (bar.timerTime > 0) {
        s.currentTimerTime = bar.timerTime;
        if (s.rememberSettings) savePrefs();
    }
    bar.removeTouchAbilityFromDialView(true);
    s.shutterPressWhileTimerOn = false;
    bar.startTimerMode();
    hideCameraBar4(nullptr, 0.3, false, true);
}

void startTimeLapseFromDial(CameraBar& bar, DialViewController& dial) {
    TweakState& s = state();
    bar.timerMode = TimerModeTimeLapse;
    bar.timeLapseTime = dial.getCurrentCount();
    bar.timeType = dial.getDialViewTimeType();
    s.currentTimeType = static_cast<int>(bar.timeType);
    if (bar.timeLapseTime > 0) {
        s.currentTimeLapseTime = bar.timeLapseTime;
        if (s.rememberSettings) savePrefs();
    }
    bar.removeTouchAbilityFromDialView(true);
    // The seconds/minutes switch is gone while the series runs.
    dial.hideSwitchDial();
    s.shutterPressWhileTimerOn = false;
    bar.startTimerMode();
}

// The frame-rate dial's "Set": apply the rate and close the bar; no count-down.
void applyFrameRateFromDial(CameraBar& bar, const DialViewController& dial) {
    TweakState& s = state();
    bar.frameRateMode = 0;
    bar.frameRateTime = dial.getCurrentCount();
    if (bar.frameRateTime > 0) {
        s.globalFrameRateTime = bar.frameRateTime;
        if (s.rememberFPSSettings) savePrefs();
        setFrameRate(bar.frameRateTime, true);
    }
    hideCameraBar(nullptr);
}

}  // namespace

void CameraBar::ActionButtonTapped() {
    if (timerIsRunning || seriesArmedBetweenShots(*this)) {
        stopFromDial(*this);
        return;
    }
    // Keep the dial alive for the call: starting may hide the bar around it.
    const std::shared_ptr<DialViewController> dial = dialViewController;
    if (dial == nullptr) return;
    switch (dial->dialViewType()) {
        case DialViewTypeTimer:
            startSelfTimerFromDial(*this, *dial);
            break;
        case DialViewTypeTimeLapse:
            startTimeLapseFromDial(*this, *dial);
            break;
        case SelectorDialTypeFrames:
            applyFrameRateFromDial(*this, *dial);
            break;
        default:
            break;
    }
}

void CameraBar::startTimerMode() {
    state().killtimer = false;
    if (dialViewController) removeTouchAbilityFromDialView(false);
    createTimer();
}

void CameraBar::createTimer() {
    // A count-down already running (a re-arm while one runs, a second start) ends first: two
    // timers would share `iSeconds` and take twice the photos.
    stopCountDownNow();
    timerIsRunning = true;
    // Only the running mode's own value is remembered; the bar's frame rate is not touched.
    TweakState& s = state();
    if (timerMode == TimerModeTimer && timerTime > 0) s.currentTimerTime = timerTime;
    if (timerMode == TimerModeTimeLapse && timeLapseTime > 0) {
        s.currentTimeLapseTime = timeLapseTime;
    }
    if (timerMode == TimerModeTimer) {
        iSeconds = timerTime;
    } else if (timerMode == TimerModeTimeLapse) {
        iSeconds = timeType == 1 ? timeLapseTime * 60 : timeLapseTime;
    }
    std::weak_ptr<CameraBar> weak = std::static_pointer_cast<CameraBar>(shared_from_this());
    runningCountDown = platform::NSTimer::scheduled(kTick, true, [weak](platform::NSTimer& t) {
        if (auto bar = weak.lock()) {
            bar->countDown(&t);
        } else {
            t.invalidate();
        }
    });
}

void CameraBar::countDown(platform::NSTimer* timer) {
    TweakState& s = state();
    iSeconds -= 1;
    if (s.killtimer) {
        killTimer(timer);
        return;
    }
    if (iSeconds < 1) {
        killTimer(timer);
        if (!s.killtimer) {
            if (auto view = s.cameraView.lock()) {
                // Only this photo's report re-arms a time lapse.
                countDownPhotoPending = true;
                view->takePicture();
            }
        }
    } else {
        if (dialViewController) dialViewController->setCountdownTime(iSeconds);
        if (iSeconds <= kSoundedSeconds && timerMode == TimerModeTimer && countDownSound) {
            countDownSound->play();
        }
    }
    if (s.killtimer) killTimer(timer);
}

void CameraBar::killTimer(platform::NSTimer* timer) {
    if (const auto dial = dialViewController) {
        // A time-lapse dial keeps its running look between two photos.
        if (timerMode != TimerModeTimeLapse) {
            dial->setDialViewIsRunning(false);
            dial->setCurrentCount(timerTime);
        }
        dial->addTouchAbility();
    }
    if (timer != nullptr) timer->invalidate();
    if (runningCountDown.lock().get() == timer) runningCountDown.reset();
    timerIsRunning = false;
}

void CameraBar::stopCountDownNow() {
    if (const auto running = runningCountDown.lock()) killTimer(running.get());
    runningCountDown.reset();
}

void CameraBar::removeTouchAbilityFromDialView(bool save) {
    TweakState& s = state();
    if (dialViewController) {
        dialViewController->removeTouchAbility();
        if (dialViewController->dialViewType() == DialViewTypeTimeLapse) {
            s.currentTimeType = static_cast<int>(timeType);
        }
    }
    if ((s.rememberSettings || s.rememberFPSSettings) && save) savePrefs();
}

void CameraBar::removeInnerCircle() {
    if (dialViewController) dialViewController->hideDialView();
}

UIView* CameraBar::dialView() const {
    return dialViewController ? dialViewController->dialView().get() : nullptr;
}

void CameraBar::teardownDialAndTimer() {
    if (const auto running = runningCountDown.lock()) running->invalidate();
    runningCountDown.reset();
    timerIsRunning = false;
    countDownPhotoPending = false;
    if (dialViewController && dialViewController->dialView()) {
        // Nothing of the dial stays in the camera view, and nothing in it answers to this bar.
        dialViewController->removeTouchAbility();
        dialViewController->setDialViewDelegate(nullptr);
        dialViewController->dialView()->removeFromSuperview();
    }
}

void CameraBar::timerPhotoTaken() {
    const bool own = countDownPhotoPending;
    countDownPhotoPending = false;
    // The flag has done its work with whichever photo is reported; it must not swallow a later
    // re-arm.
    state().shutterPressWhileTimerOn = false;
    if (!own || timerMode != TimerModeTimeLapse) return;
    if (dialViewController) dialViewController->setCountdownTime(timeLapseTime);
    startTimerMode();
}

void CameraBar::timerShutterPressed() {
    TweakState& s = state();
    if (!timerIsRunning) return;
    if (timerMode == TimerModeTimer) {
        // The press takes the photo now, in place of the self-timer's.
        timerMode = TimerModeNone;
        s.killtimer = true;
        stopCountDownNow();
    } else if (timerMode == TimerModeTimeLapse) {
        // An extra photo; the interval count-down goes on.
        s.shutterPressWhileTimerOn = true;
    }
}

}  // namespace lumora
