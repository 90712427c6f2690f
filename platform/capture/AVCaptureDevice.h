#pragma once
// A camera of the simulated phone. Formats, modes and their support come from a device profile
// (see DeviceFactory.h); the live values (lens position, ISO, exposure duration) follow the
// simulated scene while focus and exposure are automatic (CaptureAutomation.cpp).
//
// Configuration discipline, as on the phone: every setter needs the configuration lock
// (lockForConfiguration / unlockForConfiguration, or the ConfigurationLock guard). A setter
// called without the lock, with an unsupported mode, with a value out of range or with a format
// that is not the device's is refused: nothing changes and faultCount() goes up, so tests can see
// the mistake the phone would have raised as an exception.
//
// Main thread only. Changes of "lensPosition", "ISO", "exposureDuration", "focusMode",
// "exposureMode", "whiteBalanceMode", "adjustingFocus" and "adjustingExposure" are observable
// (KeyValueObserving.h); completion handlers run as run-loop events after the change.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/AVCaptureDeviceFormat.h"
#include "platform/capture/AVCaptureTypes.h"
#include "platform/capture/KeyValueObserving.h"
#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"
#include "platform/runloop/RunLoop.h"

// What the camera sees: brightness in EV at ISO 100 (0 a dim room, 8 an office, 15 sunlight)
// and the distance of the subject in metres.
struct AVCaptureScene {
    double brightness = 8.0;
    double subjectDistance = 2.0;
};

// The fixed facts of one camera, from its device profile.
struct AVCaptureDeviceDescription {
    AVCaptureDevicePosition position = AVCaptureDevicePositionBack;
    std::string uniqueID;
    std::string localizedName;
    std::vector<std::shared_ptr<AVCaptureDeviceFormat>> formats;  // in the device's order
    std::vector<AVCaptureFocusMode> focusModes;                   // empty: fixed focus
    std::vector<AVCaptureExposureMode> exposureModes;
    std::vector<AVCaptureWhiteBalanceMode> whiteBalanceModes;
    // Session preset name -> dimensions of the format that serves it.
    std::map<std::string, CMVideoDimensions> presets;
    double aperture = 2.4;              // f-number, for the exposure simulation
    double minimumFocusDistance = 0.1;  // metres, lens position 0
    bool lockForConfigurationFails = false;
};

using AVCaptureCompletionHandler = std::function<void(CMTime syncTime)>;

class AVCaptureDevice : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureDevice)
    explicit AVCaptureDevice(AVCaptureDeviceDescription description);
    ~AVCaptureDevice() override;

    // The cameras of the running process (made from the installed hardware, CaptureHardware.h).
    static std::vector<std::shared_ptr<AVCaptureDevice>> devices();
    static std::vector<std::shared_ptr<AVCaptureDevice>> devicesWithMediaType(
        const std::string& mediaType);
    // The back camera for "vide", else null.
    static std::shared_ptr<AVCaptureDevice> defaultDeviceWithMediaType(
        const std::string& mediaType);

    AVCaptureDevicePosition position() const { return desc_.position; }
    const std::string& uniqueID() const { return desc_.uniqueID; }
    const std::string& localizedName() const { return desc_.localizedName; }
    bool hasMediaType(const std::string& mediaType) const { return mediaType == AVMediaTypeVideo; }

    // --- configuration lock
    // False (with a reason in `error` when given) while the refusing-lock switch is on.
    // Locks nest: each successful lock needs one unlock.
    bool lockForConfiguration(std::string* error = nullptr);
    void unlockForConfiguration();
    bool isLockedForConfiguration() const { return lockDepth_ > 0; }

    // --- formats and frame durations
    const std::vector<std::shared_ptr<AVCaptureDeviceFormat>>& formats() const {
        return desc_.formats;
    }
    // Null only for a device without formats.
    std::shared_ptr<AVCaptureDeviceFormat> activeFormat() const { return activeFormat_; }
    // Sets one of formats(); the frame durations return to the format's default (1/30 s, or the
    // format's fastest rate when that is slower).
    void setActiveFormat(const std::shared_ptr<AVCaptureDeviceFormat>& format);
    CMTime activeVideoMinFrameDuration() const { return minFrameDuration_; }
    CMTime activeVideoMaxFrameDuration() const { return maxFrameDuration_; }
    // A duration within one of the active format's ranges; kCMTimeInvalid restores the default.
    void setActiveVideoMinFrameDuration(CMTime duration);
    void setActiveVideoMaxFrameDuration(CMTime duration);

    bool supportsAVCaptureSessionPreset(const std::string& preset) const;

    // --- focus
    AVCaptureFocusMode focusMode() const { return focusMode_; }
    bool isFocusModeSupported(AVCaptureFocusMode mode) const;
    void setFocusMode(AVCaptureFocusMode mode);
    bool isFocusPointOfInterestSupported() const { return !desc_.focusModes.empty(); }
    CGPoint focusPointOfInterest() const { return focusPoint_; }
    void setFocusPointOfInterest(CGPoint point);  // 0..1 in both axes
    bool isLockingFocusWithCustomLensPositionSupported() const;
    // 0 the nearest focus, 1 the farthest.
    float lensPosition() const { return lensPosition_; }
    bool isAdjustingFocus() const { return adjustingFocus_; }
    // Locks focus at `lensPosition` (0..1, or AVCaptureLensPositionCurrent).
    void setFocusModeLockedWithLensPosition(float lensPosition,
                                            AVCaptureCompletionHandler handler = nullptr);

    // --- exposure
    AVCaptureExposureMode exposureMode() const { return exposureMode_; }
    bool isExposureModeSupported(AVCaptureExposureMode mode) const;
    void setExposureMode(AVCaptureExposureMode mode);
    bool isExposurePointOfInterestSupported() const { return true; }
    CGPoint exposurePointOfInterest() const { return exposurePoint_; }
    void setExposurePointOfInterest(CGPoint point);
    float ISO() const { return iso_; }
    CMTime exposureDuration() const { return exposureDuration_; }
    bool isAdjustingExposure() const { return adjustingExposure_; }
    // Custom exposure: a duration within the active format's exposure range (or
    // AVCaptureExposureDurationCurrent) and an ISO within its ISO range (or AVCaptureISOCurrent).
    void setExposureModeCustomWithDuration(CMTime duration, float iso,
                                           AVCaptureCompletionHandler handler = nullptr);

    // --- white balance
    AVCaptureWhiteBalanceMode whiteBalanceMode() const { return whiteBalanceMode_; }
    bool isWhiteBalanceModeSupported(AVCaptureWhiteBalanceMode mode) const;
    void setWhiteBalanceMode(AVCaptureWhiteBalanceMode mode);

    bool isSubjectAreaChangeMonitoringEnabled() const { return subjectAreaMonitoring_; }
    void setSubjectAreaChangeMonitoringEnabled(bool enabled);

    // --- key-value observation
    void addObserver(const std::shared_ptr<NSKeyValueObserving>& observer,
                     const std::string& keyPath, NSKeyValueObservingOptions options, void* context);
    void removeObserver(const NSKeyValueObserving* observer, const std::string& keyPath);
    std::size_t observerCount(const std::string& keyPath) const;

    // --- simulation and test controls
    void setScene(const AVCaptureScene& scene);
    const AVCaptureScene& scene() const { return scene_; }
    // Makes every later lockForConfiguration fail (or succeed again).
    void setLockForConfigurationFails(bool fails) { desc_.lockForConfigurationFails = fails; }
    int faultCount() const { return faultCount_; }
    const std::string& lastFault() const { return lastFault_; }
    int successfulLockCount() const { return lockCount_; }
    int lockAttemptCount() const { return lockAttempts_; }

    // --- used by AVCaptureSession
    // The format serving `preset` (420f preferred for the photo preset, 420v for the others).
    std::shared_ptr<AVCaptureDeviceFormat> formatForSessionPreset(const std::string& preset) const;
    // The session's own format change: needs no lock.
    void applySessionPreset(const std::string& preset);
    // True when a client set the active format after the last session preset.
    bool activeFormatSetByClient() const { return formatSetByClient_; }

private:
    bool refuse(const std::string& what);
    bool requireLock(const char* setter);
    void resetFrameDurations();
    void adoptFormat(const std::shared_ptr<AVCaptureDeviceFormat>& format);
    void clampExposureToFormat();
    void postCompletion(AVCaptureCompletionHandler handler);

    // Live value changes, each observable.
    void changeLensPosition(float value);
    void changeISO(float value);
    void changeExposureDuration(CMTime value);
    void changeFocusMode(AVCaptureFocusMode mode);
    void changeExposureMode(AVCaptureExposureMode mode);
    void changeAdjusting(bool focus, bool exposure);

    // Automatic focus and exposure (CaptureAutomation.cpp).
    float targetLensPosition() const;
    void targetExposure(float* iso, double* seconds) const;
    bool focusNeedsAdjusting() const;
    bool exposureNeedsAdjusting() const;
    void scheduleAdjustment();
    void adjustmentStep();
    void startTargets();

    AVCaptureDeviceDescription desc_;
    KeyValueObservable kvo_{*this};
    std::shared_ptr<AVCaptureDeviceFormat> activeFormat_;
    CMTime minFrameDuration_ = kCMTimeInvalid;
    CMTime maxFrameDuration_ = kCMTimeInvalid;
    AVCaptureFocusMode focusMode_ = AVCaptureFocusModeLocked;
    AVCaptureExposureMode exposureMode_ = AVCaptureExposureModeLocked;
    AVCaptureWhiteBalanceMode whiteBalanceMode_ = AVCaptureWhiteBalanceModeLocked;
    CGPoint focusPoint_ = CGPointMake(0.5, 0.5);
    CGPoint exposurePoint_ = CGPointMake(0.5, 0.5);
    float lensPosition_ = 1.0f;
    float iso_ = 0;
    CMTime exposureDuration_ = kCMTimeInvalid;
    bool adjustingFocus_ = false;
    bool adjustingExposure_ = false;
    bool subjectAreaMonitoring_ = false;
    AVCaptureScene scene_;
    platform::EventId adjustEvent_ = 0;

    int lockDepth_ = 0;
    int lockCount_ = 0;
    int lockAttempts_ = 0;
    int faultCount_ = 0;
    std::string lastFault_;
    bool formatSetByClient_ = false;
};
