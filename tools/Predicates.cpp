#include "tools/Predicates.h"

#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/device/UIDevice.h"

namespace lumora {

CAMCaptureController* sharedCAMCaptureControllerInstance() {
    objc::Class* cls = objc_getClass("CAMCaptureController");
    if (cls == nullptr) return nullptr;
    id instance = objc::sendClass<hostsel::CAMCaptureController::sharedInstance>(cls);
    // Whatever answers must really be a capture controller before it is used as one.
    return dynamic_cast<CAMCaptureController*>(instance);
}

long getCameraMode() {
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    return controller != nullptr ? controller->cameraMode() : -1;
}

bool isCameraModeEx(long mode) {
    return mode == 0 || mode == 4 || mode == 6;
}

bool isVideoModeEx(long mode) {
    return mode == 1 || mode == 2;
}

bool isCameraMode() {
    return isCameraModeEx(getCameraMode());
}

bool isVideoMode() {
    return isVideoModeEx(getCameraMode());
}

bool isBackCameraEx(long device) {
    return device == 0;
}

bool isFrontCameraEx(long device) {
    return device == 1;
}

bool isBackCamera() {
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    return controller == nullptr || isBackCameraEx(controller->cameraDevice());
}

bool isFrontCamera() {
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    return controller == nullptr || isFrontCameraEx(controller->cameraDevice());
}

bool isLandscapeOrientation() {
    const CGRect bounds = UIScreen::mainScreen().bounds();
    return bounds.size.width > bounds.size.height;
}

bool isLandscapeOrientationEx() {
    return isLandscapeOrientation();
}

bool isPortraitOrientation() {
    const CGRect bounds = UIScreen::mainScreen().bounds();
    return bounds.size.height > bounds.size.width;
}

bool isPortraitOrientationEx() {
    return isPortraitOrientation();
}

bool isPortraitNormalOrientation() {
    return state()._UIDeviceOrientation == 1;
}

bool isPortraitUpsideDownOrientation() {
    return state()._UIDeviceOrientation == 2;
}

bool isLandscapeRightOrientation() {
    return state()._UIDeviceOrientation == 3;
}

bool isLandscapeLeftOrientation() {
    return state()._UIDeviceOrientation == 4;
}

bool isTablet() {
    return UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiomPad;
}

}  // namespace lumora
