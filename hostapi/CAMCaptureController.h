#pragma once
// The host's capture controller: one shared instance, reached through the runtime by class name
// and its class method `sharedInstance` (see hostapi/Selectors.h). The host implements it.

#include <memory>

#include "hostapi/HostTypes.h"

class CAMCaptureController : public NSObject {
public:
    LU_OBJC_CLASS(CAMCaptureController)

    // 0, 4 and 6 are photo modes, 1 and 2 video modes, 3 and 5 others.
    virtual long cameraMode() const = 0;
    // 0 the back camera, 1 the front camera.
    virtual long cameraDevice() const = 0;

    virtual std::shared_ptr<AVCaptureDevice> currentDevice() const = 0;
    virtual std::shared_ptr<AVCaptureSession> currentSession() const = 0;
    // Its video connection carries mirroring and stabilization.
    virtual std::shared_ptr<AVCaptureOutput> currentOutput() const = 0;

    virtual float focusLensPosition() const = 0;
    virtual CGPoint focusPointOfInterest() const = 0;
    virtual CGPoint exposurePointOfInterest() const = 0;
    virtual void _setSubjectAreaChangeMonitoringEnabled(bool enabled) = 0;

    // The user's focus and exposure locks (the long-press lock banner).
    virtual bool userLockedFocus() const = 0;
    virtual bool userLockedExposure() const = 0;
    virtual void setUserLockedFocus(bool focus, bool exposure) = 0;
    virtual void _setFocusModeLockedWithLensPosition() = 0;
};
