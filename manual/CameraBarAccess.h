#pragma once
// What the manual tools need of the camera bar: its view, the view's paging scroll view (the
// tools sit on its second page), its dial toggles and the controller's advanced modes. Each
// answers null / does nothing while the bar is not built.

#include <memory>

#include "platform/geometry/Geometry.h"

class UIView;
class UIScrollView;

namespace lumora {

UIView* cameraBarView();
UIScrollView* cameraBarScrollview();
// The bar view's frame as the bar is laid out when hidden (its size is what the tools use).
CGRect cameraBarViewFrame();
// Puts the tools' page container on the bar's strip and makes the strip two pages wide.
void addFocusAndExposureToolsToCameraBarView(const std::shared_ptr<UIView>& view);
// The bar view's dial toggles (they grow the bar, then show or hide the dials).
void cameraBarToggleFocusScrollDial(bool hide);
void cameraBarToggleExposureScrollDials(bool hide);
// The camera bar controller's photo and video modes (1 advanced); 0 without a bar.
long cameraBarCameraMode();
long cameraBarVideoMode();

}  // namespace lumora
