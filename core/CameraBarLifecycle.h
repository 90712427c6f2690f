#pragma once
// The camera bar's life: building the controller, its strip and the six mode buttons, showing
// and hiding the strip with a slide, turning the add-on's views upright, answering whether a
// touch lands on the bar, and tearing everything down when the camera view goes or the app
// goes to the background. Main thread only.
//
//   CameraBarLifecycle.cpp  creation, the wrench button, frames, showing and hiding
//   CameraBarTeardown.cpp   clean-up on minimise and the destroy functions, in their fixed order
//   CameraBarRotation.cpp   rotation and the selection dial's fade

#include <memory>

#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"

class UIView;
class CAMBottomBar;
class CAMCameraView;

namespace lumora {

// Slide duration of the strip.
inline constexpr double kCameraBarSlideDuration = 0.15;

// Builds the controller, the strip and the six buttons once (while `buttonsCreated` is false).
void createCameraButtonArray(UIView* parent);
// Builds `cameraBar`, registers for settings changes (once per process), builds the wrench.
void createCameraBar();
// Builds `_cameraButtonView` once, in `parent` on a tablet, else in the camera view.
void createCameraBarView(UIView* parent);
// The strip's hidden-position frame.
CGRect getCameraBarViewFrame();
// 1 shows, 0 hides, -1 toggles the strip.
void toggleCameraButtonArray(int visibility);
// On a tablet: the strip's top edge for the orientation.
void adjustElementsForRotation();
// Adds a companion's page view to the strip and widens it to two or three pages.
void AddFocusAndExposureToolsToCameraBarView(const std::shared_ptr<UIView>& view);
void AddOverlayButtonsToCameraBarView(const std::shared_ptr<UIView>& view);
// Whether `point` (in `view`'s coordinates; window coordinates when view is null) lies on one
// of the bar's buttons or on the strip; stores the answer in `touchInsideButtonView`.
bool isTouchOnCameraControlsOrParent(bool skipButtons, CGPoint point, UIView* view);

// Fades the selection dial away; `button` may be null.
void hideCameraBar(id button);
void hideCameraBar4(id button, double duration, bool keepDialA, bool keepDialB);

// Device rotation: turns the add-on's views upright.
void rotateObjectsOnMainThread();
void rotateObjects();
void _rotate();

// The camera view goes away: saves, resets the frame-rate table, stops the bar's work.
void CleanUpOnMinimize();
// Releases everything the add-on built, in a fixed order (see CameraBarTeardown.cpp).
void destroyObjects(bool keepPrefs);
void destroyCameraButtonArray();
void destroyLabelsAndIndicators();

// The host's camera view and bottom bar: the ones kept by their hooks, or else the ones in the
// key window (kept again).
std::shared_ptr<CAMCameraView> hostCameraView();
std::shared_ptr<CAMBottomBar> hostBottomBar();

// The wrench button's frame beside the bottom bar's thumbnail.
CGRect wrenchButtonFrame(CGRect imageWellFrame);

}  // namespace lumora
