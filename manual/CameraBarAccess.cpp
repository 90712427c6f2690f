#include "manual/CameraBarAccess.h"

#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "core/CameraBarLifecycle.h"
#include "platform/ui/UIScrollView.h"

namespace lumora {

UIView* cameraBarView() {
    return currentCameraBarView().get();
}

UIScrollView* cameraBarScrollview() {
    const auto view = currentCameraBarView();
    return view ? view->scrollview.get() : nullptr;
}

CGRect cameraBarViewFrame() {
    return getCameraBarViewFrame();
}

void addFocusAndExposureToolsToCameraBarView(const std::shared_ptr<UIView>& view) {
    AddFocusAndExposureToolsToCameraBarView(view);
}

void cameraBarToggleFocusScrollDial(bool hide) {
    if (const auto view = currentCameraBarView()) view->toggleFocusScrollDial(hide);
}

void cameraBarToggleExposureScrollDials(bool hide) {
    if (const auto view = currentCameraBarView()) view->toggleExposureScrollDials(hide);
}

long cameraBarCameraMode() {
    const auto bar = currentCameraBar();
    return bar ? bar->cameraMode : 0;
}

long cameraBarVideoMode() {
    const auto bar = currentCameraBar();
    return bar ? bar->videoMode : 0;
}

}  // namespace lumora
