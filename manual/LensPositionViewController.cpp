#include "manual/LensPositionViewController.h"

#include <array>

#include "core/TweakState.h"
#include "manual/FocusAndExposureToolController.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/runloop/DispatchQueue.h"

namespace lumora {
namespace {

constexpr std::array<const char*, 3> kKeyPaths{"lensPosition", "ISO", "exposureDuration"};

// The controller's flag that keeps the rulers of this key path's kind still.
bool skipped(const FocusAndExposureToolController& tools, const std::string& keyPath) {
    if (keyPath == "lensPosition") return tools.skipLensPositionObserverCallback();
    if (keyPath == "ISO") return tools.skipISOObserverCallback();
    return tools.skipShutterSpeedObserverCallback();
}

}  // namespace

LensPositionViewController::~LensPositionViewController() {
    detach();
}

LensPositionViewController* LensPositionViewController::shared() {
    return dynamic_cast<LensPositionViewController*>(state().lensPositionViewController.get());
}

void LensPositionViewController::addLensPositionObserver(
    const std::shared_ptr<AVCaptureDevice>& device) {
    if (!device || device == currentDeviceForCallbacks_) return;
    detach();
    auto self = std::dynamic_pointer_cast<NSKeyValueObserving>(shared_from_this());
    for (const char* keyPath : kKeyPaths) {
        device->addObserver(self, keyPath, NSKeyValueObservingOptionNew, nullptr);
    }
    currentDeviceForCallbacks_ = device;
}

void LensPositionViewController::removeLensPositionObserver(const AVCaptureDevice* device) {
    if (device == nullptr || device != currentDeviceForCallbacks_.get()) return;
    detach();
}

void LensPositionViewController::detach() {
    if (!currentDeviceForCallbacks_) return;
    for (const char* keyPath : kKeyPaths) {
        currentDeviceForCallbacks_->removeObserver(this, keyPath);
    }
    currentDeviceForCallbacks_.reset();
}

// Any thread. The flags and the controller are read in the main-queue block, when it runs.
void LensPositionViewController::observeValueForKeyPath(const std::string& keyPath, NSObject*,
                                                        const NSKeyValueChange&, void*) {
    bool known = false;
    for (const char* k : kKeyPaths) known = known || keyPath == k;
    if (!known) return;
    platform::dispatch_async_main([keyPath] {
        auto* tools = FocusAndExposureToolController::shared();
        if (tools == nullptr || !state()._cameraButtonView) return;
        if (!skipped(*tools, keyPath)) tools->setCurrentFocusAndExposureValues();
    });
}

void CreateLensPositionController() {
    if (state().lensPositionViewController) return;
    state().lensPositionViewController = std::make_shared<LensPositionViewController>();
}

void hideAndDestroyLensPositionViewController() {
    state().lensPositionViewController.reset();
}

}  // namespace lumora
