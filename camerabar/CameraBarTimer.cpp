// The self-timer and time-lapse engine, and the camera bar's hand-offs to the selection dial.
// Until the selection dial exists there is no dial to read counts from or to freeze: the
// count-down itself runs (1.0 s ticks, a photo at zero), the dial calls are skipped.
#include <cmath>

#include "camerabar/CameraBar.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/media/AudioPlayer.h"
#include "platform/runloop/Timer.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIView.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

void deselect(const std::shared_ptr<NSObject>& button) {
    if (auto* c = dynamic_cast<UIControl*>(button.get())) c->setSelected(false);
}

}  // namespace

void CameraBar::ActionButtonTapped() {
    if (timerIsRunning) {
        TweakState& s = state();
        deselect(s.modeTimerBtn);
        deselect(s.modeLapseTimerBtn);
        timerMode = TimerModeNone;
        s.killtimer = true;
        toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
    }
    // Without a dial there is no count to start from.
}

void CameraBar::startTimerMode() {
    state().killtimer = false;
    removeTouchAbilityFromDialView(false);
    createTimer();
}

void CameraBar::createTimer() {
    TweakState& s = state();
    timerIsRunning = true;
    s.currentTimerTime = timerTime;
    s.currentTimeLapseTime = timeLapseTime;
    s.globalFrameRateTime = frameRateTime;
    if (timerMode == TimerModeTimer) {
        iSeconds = timerTime;
    } else if (timerMode == TimerModeTimeLapse) {
        iSeconds = timeType == 1 ? timeLapseTime * 60 : timeLapseTime;
    }
    std::weak_ptr<CameraBar> weak = std::static_pointer_cast<CameraBar>(shared_from_this());
    auto timer = platform::NSTimer::scheduled(1.0, true, [weak](platform::NSTimer& t) {
        if (auto bar = weak.lock()) {
            bar->countDown(&t);
        } else {
            t.invalidate();
        }
    });
    runningCountDown = timer;
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
            if (auto view = s.cameraView.lock()) view->takePicture();
        }
    } else if (iSeconds < 4 && timerMode == TimerModeTimer && countDownSound) {
        countDownSound->play();
    }
    if (s.killtimer) killTimer(timer);
}

void CameraBar::killTimer(platform::NSTimer* timer) {
    if (timer != nullptr) timer->invalidate();
    timerIsRunning = false;
}

void CameraBar::removeTouchAbilityFromDialView(bool save) {
    const TweakState& s = state();
    if ((s.rememberSettings || s.rememberFPSSettings) && save) savePrefs();
}

void CameraBar::removeInnerCircle() {}

UIView* CameraBar::dialView() const {
    return nullptr;
}

void CameraBar::teardownDialAndTimer() {
    // The dial's full-screen view must not outlive the bar in the camera view.
    if (UIView* view = dialView()) view->removeFromSuperview();
    if (auto timer = runningCountDown.lock()) timer->invalidate();
    runningCountDown.reset();
    timerIsRunning = false;
}

}  // namespace lumora
