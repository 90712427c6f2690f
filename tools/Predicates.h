#pragma once
// The questions almost every part of the add-on asks: where the host's capture controller is,
// whether the host is in a photo or a video mode, which camera is in use, how the device is held.
// Host numbers: modes 0, 4, 6 photo and 1, 2 video; camera 0 back, 1 front; device orientation
// 1 portrait, 2 upside down, 3 and 4 landscape.

class CAMCaptureController;

namespace lumora {

// The host's shared capture controller (not owned), or null when the host has none.
CAMCaptureController* sharedCAMCaptureControllerInstance();

// The controller's camera mode; -1 without a controller.
long getCameraMode();
bool isCameraMode();
bool isCameraModeEx(long mode);
bool isVideoMode();
bool isVideoModeEx(long mode);

// Both answer true when there is no controller.
bool isBackCamera();
bool isFrontCamera();
bool isBackCameraEx(long device);
bool isFrontCameraEx(long device);

// From the main screen's bounds at the moment of the call; a square screen is neither.
bool isLandscapeOrientation();
bool isLandscapeOrientationEx();
bool isPortraitOrientation();
bool isPortraitOrientationEx();

// From the stored device orientation `_UIDeviceOrientation`. The platform's "landscape left"
// (3) is what these names call landscape right.
bool isPortraitNormalOrientation();
bool isPortraitUpsideDownOrientation();
bool isLandscapeRightOrientation();
bool isLandscapeLeftOrientation();

// A tablet: the device's interface idiom is 1.
bool isTablet();

}  // namespace lumora
