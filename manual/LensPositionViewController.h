#pragma once
// Keeps the rulers in step with the camera while it changes its lens position, ISO or exposure
// duration by itself: it observes the current camera ("lensPosition", "ISO",
// "exposureDuration") and, on each change, asks the tool controller to move the rulers the user
// is not dialling. Notifications may arrive on any thread; the work runs on the main queue.
//
// Observation is added to and removed from the recorded device itself, so a camera switch can
// neither leave an observer on the old camera nor register twice on the new one.

#include <memory>
#include <string>

#include "platform/capture/KeyValueObserving.h"
#include "platform/ui/UIViewController.h"

class AVCaptureDevice;

namespace lumora {

class LensPositionViewController : public UIViewController, public NSKeyValueObserving {
public:
    LU_OBJC_CLASS(LensPositionViewController)
    LensPositionViewController() = default;
    ~LensPositionViewController() override;

    // The single instance, or null.
    static LensPositionViewController* shared();

    // Observes `device` (after leaving the one observed before); the same device twice is
    // observed once.
    void addLensPositionObserver(const std::shared_ptr<AVCaptureDevice>& device);
    // Stops observing, when `device` is the one observed.
    void removeLensPositionObserver(const AVCaptureDevice* device);
    const std::shared_ptr<AVCaptureDevice>& currentDeviceForCallbacks() const {
        return currentDeviceForCallbacks_;
    }

    void observeValueForKeyPath(const std::string& keyPath, NSObject* object,
                                const NSKeyValueChange& change, void* context) override;

private:
    void detach();

    std::shared_ptr<AVCaptureDevice> currentDeviceForCallbacks_;
};

// Creates the observer when there is none / releases it (after it stopped observing).
void CreateLensPositionController();
void hideAndDestroyLensPositionViewController();

}  // namespace lumora
