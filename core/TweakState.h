#pragma once
// The add-on's process-wide state: one record, one shared instance (`lumora::state()`), with the
// variables' own names. Fields start at zero / false / null, as a freshly loaded library's
// globals do; `InitVariables` and `Lumora3Initialize` give the documented start values.
//
// Everything here belongs to the host's main thread, except the settings the photo-saving queue
// reads, which are atomics.

#include <atomic>
#include <map>
#include <memory>
#include <optional>

#include "hostapi/HostAPI.h"
#include "platform/foundation/Value.h"

namespace lumora {

class CustomSlalomIndicatorView;
class CustomTransparentFilledLabel;

// Highest frame rate per resolution height (0: the height is not offered), ascending by height.
using FrameRateTable = std::map<int, int>;

// The plain fields (copyable, so a reset is one assignment).
struct TweakFields {
    // ---- Settings and their copies ----
    std::optional<ns::Dictionary> prefsDictionary;  // the last loaded preferences file
    std::optional<ns::Dictionary> translations;     // user-interface texts
    bool ACTIVATE = false;                          // "ENABLED"
    bool rememberSettings = false;
    bool rememberFPSSettings = false;
    bool showHelpHowToShow = false;
    bool showDimensions = false;
    bool showFPS = false;
    bool showOverlays = false;
    bool showHorizonAlignment = false;
    bool showVerticalAlert = false;
    bool blurButtonBar = false;
    bool showBulb = false;
    bool showMemoryWarning = false;
    bool _didSetPrefs = false;
    bool _resolutionSelected = false;
    bool _guideSelected = false;
    bool horizonAlignmentShowing = false;

    // ---- Modes ----
    long globCameraMode = 0;
    long globVideoMode = 0;
    long sessionCameraMode = 0;  // nonzero: advanced photo mode in this session
    long sessionVideoMode = 0;   // nonzero: advanced video mode in this session
    long globTimerMode = 0;
    long globOverlayMode = 0;
    long sessionOverlayMode = 0;
    int guideIndex = 0;
    int resolutionIndex = 0;
    int currentTimerTime = 0;
    int currentTimeLapseTime = 0;
    int currentTimeType = 0;
    int stabilizerIndex = 0;  // -1: no stabilization mode chosen

    // ---- Capture format ----
    int globalFrameRateTime = 0;
    int currentFrameRate = 0;
    int globalDimensionHeightPhotoBack = 0;
    int globalDimensionHeightPhotoFront = 0;
    int globalDimensionHeightVideoBack = 0;
    int globalDimensionHeightVideoFront = 0;
    int currentDimensionHeightPhotoBack = 0;
    int currentDimensionHeightPhotoFront = 0;
    int currentDimensionHeightVideoBack = 0;
    int currentDimensionHeightVideoFront = 0;
    // Absent until the resolution indicator is first set up.
    std::optional<FrameRateTable> deviceFrameRatesForDimensions;

    // ---- Host state seen by the hooks ----
    int prevCameraControllerCameraMode = 0;
    int prevCameraControllerCameraDevice = 0;
    bool sessionHasStarted = false;
    bool doCameraModeChangeProceduresBecauseOfNoSessionHasStarted = false;
    bool skipChangeFocusCall = false;
    bool skipDoubleUpdate = false;
    bool skipOneTimeCanFocus = false;
    bool canFocus = false;
    bool canExpose = false;
    bool canWhiteBalance = false;
    bool UseAdvancedCamera = false;
    bool killtimer = false;
    bool shutterPressWhileTimerOn = false;
    bool touchInsideButtonView = false;
    bool showingButtonArray = false;
    bool buttonsCreated = false;
    long _UIDeviceOrientation = 0;
    // The host's views, not owned.
    std::weak_ptr<CAMCameraView> cameraView;
    std::weak_ptr<CAMPreviewView> _CAMPreviewView;
    std::weak_ptr<CAMBottomBar> _CAMBottomBar;
    std::weak_ptr<CAMTopBar> _CAMTopBar;
    std::weak_ptr<CAMZoomSlider> _CAMZoomSlider;

    // ---- The add-on's own objects, owned here ----
    // Loosely typed until the issues that build them give them their classes.
    std::shared_ptr<NSObject> cameraBar;
    std::shared_ptr<NSObject> wrenchButton;
    std::shared_ptr<NSObject> _cameraButtonView;
    std::shared_ptr<NSObject> focusAndExposureToolController;
    std::shared_ptr<NSObject> overlaySelectionController;
    std::shared_ptr<NSObject> lensPositionViewController;
    std::shared_ptr<CustomTransparentFilledLabel> whiteBalanceLockLbl;
    std::shared_ptr<NSObject> memoryWarningLbl;
    std::shared_ptr<NSObject> horizonAlignmentBtn;
    std::shared_ptr<NSObject> videoVerticallyTiltedAlert;
    std::shared_ptr<NSObject> horizontalAlignmentBase;
    std::shared_ptr<NSObject> horizontalAlignmentIndicator;
    std::shared_ptr<CAMSlalomIndicatorView> _CAMSlalomIndicatorView;  // the host's badge
    std::shared_ptr<CustomSlalomIndicatorView> _CAMSlalomIndicatorReplacement;
    std::shared_ptr<CustomSlalomIndicatorView> _CAMSlalomDimensionIndicator;
    std::shared_ptr<NSObject> modeAdvCameraBtn;
    std::shared_ptr<NSObject> modeTimerBtn;
    std::shared_ptr<NSObject> modeLapseTimerBtn;
    std::shared_ptr<NSObject> modeAdvVideoBtn;
    std::shared_ptr<NSObject> modeWBBtn;
    std::shared_ptr<NSObject> modeToggleStabilizationBtn;
    std::shared_ptr<NSObject> modeCustomBtn;
    int CameraBtn_PhotoOffset = 0;
    int CameraBtn_VideoOffset = 0;
    CGFloat CameraBtn_Top = 0;

    // ---- Device and logging flags (set once at start-up) ----
    bool DEVICE_SUPPORTS_SLOMO = false;
    bool HAS_MAX_60_FPS = false;
    bool HAS_CAMSLALOMVIEW_ALWAYS_SHOW = false;
    long screensize = 0;  // 0 to 3: the screen class used by layout code
    bool screenIsZoomed = false;
    bool LOGGER_ON = false;
    bool FLOW_LOGGER_ON = false;
    bool CALC_LOGGER_ON = false;
};

struct TweakState : TweakFields {
    TweakState() = default;
    TweakState(const TweakState&) = delete;
    TweakState& operator=(const TweakState&) = delete;

    // Read by the photo-saving queue.
    std::atomic<bool> unMirrorSelfies{false};
    std::atomic<bool> timeStampVisible{false};
    std::atomic<bool> timestampIncludeTime{false};
    std::atomic<bool> timeStampVisibleAndPlace{false};
    std::atomic<bool> isBursting{false};
    std::atomic<bool> capturingPhoto{false};

    // Back to the values of a freshly loaded library (releases every owned object).
    void reset();
};

// The one shared instance.
TweakState& state();
void resetState();

}  // namespace lumora
