#pragma once
// The one controller behind the camera bar: its modes (advanced photo and video, self-timer,
// time lapse, frame-rate dial), the dispatch of every tap on the bar's mode buttons, the timer
// and interval values, and the objects it owns (the selection dial controller, the resolution
// picker, the count-down sound, the horizon's motion source). Held by `state().cameraBar`.
//
// The methods are spread over several files, one idea each:
//   CameraBar.cpp          initialisation, button dispatch, notices, background and teardown
//   CameraBarTimer.cpp     the self-timer and time-lapse engine and the dial hand-offs
//   CameraBarElements.cpp  element commands, the selection dial set-up, the resolution picker
//   CameraBarHorizon.cpp   the horizon indicator's motion handling
// Main thread only.

#include <memory>
#include <string>

#include "capture/CameraBarLinks.h"
#include "dial/DialView.h"
#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"

class AVAudioPlayer;
class CMMotionManager;
class UIView;
class UIControl;
namespace platform {
class NSTimer;
}

namespace lumora {

class DialViewController;
class CustomDimensionView;

// Tags of the bar's mode buttons.
enum ButtonTag : long {
    TAG_CUSTOM_BUTTON = -1,
    TAG_CAMERA_BUTTON = 1,
    TAG_TIMER_BUTTON = 2,
    TAG_TIMELAPSE_BUTTON = 3,
    TAG_VIDEO_BUTTON = 6,
    TAG_WB_BUTTON = 7,
    TAG_TOGGLE_STABILIZATION = 9,
};

enum TimerMode : long {
    TimerModeNone = 0,
    TimerModeTimeLapse = 1,
    TimerModeTimer = 2,
};

// Which group of buttons was tapped last.
enum SelectedMode : long {
    SelectedModeAdvancedPhoto = 1,
    SelectedModeTimer = 3,
    SelectedModeAdvancedVideo = 5,
    SelectedModeFrameRate = 7,
};

// `cameraMode` and `videoMode`: 0 plain, 1 advanced.
inline constexpr long CameraModeAdvanced = 1;

// Commands of toggleElementFinished(index, extraInfo).
enum ToggleElementIndex : int {
    HIDE_MEM_WARNING = -9,
    HIDE_WRENCH_TOOL = -8,
    HIDE_DIMENSION_INDICATOR = -7,
    HIDE_HORIZON_ALIGNMENT = -6,
    HIDE_FPS_SELECTOR = -5,
    HIDE_DIMENSION_SELECTOR = -4,
    SHOW_HORIZON_ALIGNMENT = 3,
    SHOW_WRENCH_TOOL = 6,
    SHOW_MEM_WARNING = 7,
    SHOW_DIMENSION_INDICATOR = 8,
};

class CameraBar : public NSObject, public ElementToggling, public DialViewDelegate {
public:
    LU_OBJC_CLASS(CameraBar)

    // initWithFrame: (the frame is not used). Reads the preferences, creates the horizon views
    // and the count-down sound.
    static std::shared_ptr<CameraBar> initWithFrame(CGRect frame);
    CameraBar() = default;
    // dealloc: stops the sound, the motion source and the dial, releases the picker.
    ~CameraBar() override;

    // ---- Fields, with their property accessors' names (read and written by the hooks) ----
    std::shared_ptr<CMMotionManager> motionManager;
    long selectedMode = 0;
    long timeType = 0;  // 0 seconds, 1 minutes
    long cameraMode = 0;
    long timerMode = TimerModeNone;
    long videoMode = 0;
    int timeLapseTime = 0;
    int timerTime = 0;
    int frameRateTime = 0;
    bool timerIsRunning = false;
    int iSeconds = 0;
    bool dimensionSelectorViewShowing = false;
    std::shared_ptr<CustomDimensionView> dimensionSelectionView;
    long frameRateMode = 0;  // 1: the frame-rate dial is wanted
    std::shared_ptr<AVAudioPlayer> countDownSound;
    std::shared_ptr<DialViewController> dialViewController;

    // ---- Modes and dispatch (CameraBar.cpp) ----
    // The action of every mode button (touch-up-inside).
    void cameraBarButtonTapped(UIControl* sender);
    static std::string getButtonTagByName(long tag);
    static std::string getTimerModeByName(long mode);
    // A transient upper-cased notice that fades in, holds 1.2 s and fades out.
    void fadeinText(const std::string& text);
    void fadeinText(const std::string& text, float duration);
    // The wrench button's action: toggles the bar.
    void toggleCameraButton();
    void cameraButtonTouchDownRepeat(UIControl* sender);
    // The host app goes to the background: stop everything and tear the bar down.
    void appDidEnterBackground();
    // "Movie-ddMMyyyy-hhmmss" + extension (with its point).
    static std::string generateFileNameWithExtension(const std::string& extension);
    // As above, but a name whose file already exists in `folder` (a phone path) gets "-2", "-3"...
    // before the extension, so a recording never overwrites an earlier one.
    static std::string generateFileNameWithExtension(const std::string& extension,
                                                     const std::string& folder);

    // ---- Timer engine (CameraBarTimer.cpp) ----
    // The dial's action circle: starts, stops or applies (the frame-rate dial's "Set").
    void ActionButtonTapped() override;
    void startTimerMode();
    void createTimer();
    void countDown(platform::NSTimer* timer);
    void killTimer(platform::NSTimer* timer);
    void removeTouchAbilityFromDialView(bool save);
    // Hides the dial's inner circle, when there is a dial.
    void removeInnerCircle();
    // The selection dial's full-screen view, or null without a dial.
    UIView* dialView() const;
    // Teardown of the dial and the count-down: the dial view leaves the camera view, its
    // delegate is cleared and a running count-down timer is invalidated. Runs from the bar's
    // teardown (destroyObjects) and from the destructor.
    void teardownDialAndTimer();
    // Ends the running count-down now, when there is one.
    void stopCountDownNow();
    // The host's reports: a photo was taken (a time lapse re-arms after its own photo only),
    // the shutter was pressed (it cancels a self-timer or adds a photo to a time lapse).
    void timerPhotoTaken();
    void timerShutterPressed();
    // The count-down asked the host for the photo whose report is still to come.
    bool countDownPhotoPending = false;

    // ---- Element toggling and the selection dial set-up (CameraBarElements.cpp) ----
    // The action of the badges, the overlay indicator and the picker's buttons: a
    // CustomDrawButton or a tap gesture recogniser.
    void toggleElement(NSObject* sender);
    void toggleElementFinished(int index, float extraInfo) override;
    static std::string getToggleElementIndexByName(int index);
    void checkSelectionDialSetup();
    void removeSelDial(bool reset);
    void showDimensionSelectionView();
    void hideDimensionSelectionView(float seconds);
    void dimensionFadeinFinished();
    void dimensionFadeoutFinished();
    // Re-lays out the resolution picker after a rotation.
    void _rotate();
    // Releases the resolution picker (out of its superview first).
    void releaseDimensionSelectionView();

    // ---- Horizon alignment (CameraBarHorizon.cpp) ----
    void toggleHorizonAlignment(NSObject* sender);
    void StartCMDeviceMotion();
    void StopCMDeviceMotion(bool save);
    void DestroyCMDeviceMotion();
    // Initialisation's horizon step: creates the horizon views and restarts a remembered
    // indicator.
    void setUpHorizonAlignment();

    // The running count-down, held weakly so teardown can invalidate it (the timer owns itself
    // on the run loop).
    std::weak_ptr<platform::NSTimer> runningCountDown;

private:
    void init();
    void dispatchTag(UIControl* sender, long tag, bool& stop);
    void reconcileAdvancedFocus(bool advancedFocusWasOn);
};

// `state().cameraBar` as a CameraBar, or null.
std::shared_ptr<CameraBar> currentCameraBar();

}  // namespace lumora
