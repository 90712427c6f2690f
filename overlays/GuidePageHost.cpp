#include "overlays/GuidePageHost.h"

#include "core/TweakState.h"
#include "platform/ui/UIScrollView.h"

namespace lumora {
namespace {

UIView* cameraBarView() {
    return dynamic_cast<UIView*>(state()._cameraButtonView.get());
}

}  // namespace

UIScrollView* cameraBarStrip() {
    UIView* view = cameraBarView();
    if (view == nullptr) return nullptr;
    for (const auto& sub : view->subviews()) {
        if (auto* strip = dynamic_cast<UIScrollView*>(sub.get())) return strip;
    }
    return nullptr;
}

CGRect guidePageFrame() {
    UIView* view = cameraBarView();
    return view != nullptr ? view->frame() : CGRectZero;
}

void addGuidePageToCameraBar(const std::shared_ptr<UIView>& page) {
    UIView* view = cameraBarView();
    UIScrollView* strip = cameraBarStrip();
    if (view == nullptr || strip == nullptr) return;
    strip->addSubview(page);
    strip->setContentSize(CGSizeMake(view->bounds().size.width * 3, strip->bounds().size.height));
}

}  // namespace lumora
