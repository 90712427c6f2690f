#include "overlays/GuidePageHost.h"

#include "camerabar/CameraBarView.h"
#include "core/CameraBarLifecycle.h"
#include "platform/ui/UIScrollView.h"

namespace lumora {

UIScrollView* cameraBarStrip() {
    const auto view = currentCameraBarView();
    return view ? view->scrollview.get() : nullptr;
}

CGRect guidePageFrame() {
    const auto view = currentCameraBarView();
    return view ? view->frame() : getCameraBarViewFrame();
}

void addGuidePageToCameraBar(const std::shared_ptr<UIView>& page) {
    AddOverlayButtonsToCameraBarView(page);
}

}  // namespace lumora
