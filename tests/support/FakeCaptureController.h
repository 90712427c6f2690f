#pragma once
// A stand-in for the host's capture controller as far as the add-on sees it, and its
// registration as the controller the host's class hands out.

#include <memory>

#include "hostapi/HostAPI.h"

namespace testsupport {

// Camera mode and device are whatever the test sets; there are no capture objects, and focus
// and exposure sit at the centre, unlocked. Tests that need more derive from it.
class FakeCaptureController : public CAMCaptureController {
public:
    long mode = 0;
    long device = 0;
    long cameraMode() const override { return mode; }
    long cameraDevice() const override { return device; }
    std::shared_ptr<AVCaptureDevice> currentDevice() const override { return nullptr; }
    std::shared_ptr<AVCaptureSession> currentSession() const override { return nullptr; }
    std::shared_ptr<AVCaptureOutput> currentOutput() const override { return nullptr; }
    float focusLensPosition() const override { return 0.5f; }
    CGPoint focusPointOfInterest() const override { return {0.5, 0.5}; }
    CGPoint exposurePointOfInterest() const override { return {0.5, 0.5}; }
    void _setSubjectAreaChangeMonitoringEnabled(bool) override {}
    bool userLockedFocus() const override { return false; }
    bool userLockedExposure() const override { return false; }
    void setUserLockedFocus(bool, bool) override {}
    void _setFocusModeLockedWithLensPosition() override {}
};

// Registers the class "CAMCaptureController" in the running process with the class method
// sharedInstance answering `controller` (null: the class answers nil). Returns the class, so a
// test can add the host's instance methods to it.
objc::Class* registerSharedCaptureController(CAMCaptureController* controller);

// Changes what sharedInstance answers, without touching the runtime (null: nil). The controller
// is not owned: clear it before the controller goes.
void setSharedCaptureController(CAMCaptureController* controller);

}  // namespace testsupport
