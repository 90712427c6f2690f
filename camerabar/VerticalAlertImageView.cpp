#include "camerabar/VerticalAlertImageView.h"

#include "core/TweakState.h"
#include "platform/device/UIDevice.h"
#include "tools/CAM_Tools.h"

namespace lumora {
namespace {

std::shared_ptr<UIImage> resourceImage(const char* name) {
    return UIImage::imageWithContentsOfFile(CAM_Tools::resourcePath(name));
}

std::shared_ptr<UIImageView> horizonView(const char* image, const char* highlighted, CGRect frame) {
    auto view = std::make_shared<UIImageView>(frame);
    view->setImage(resourceImage(image));
    view->setHighlightedImage(resourceImage(highlighted));
    view->setUserInteractionEnabled(false);
    view->setAlpha(0);
    return view;
}

}  // namespace

UIImageView* horizonBaseView() {
    return dynamic_cast<UIImageView*>(state().horizontalAlignmentBase.get());
}

UIImageView* horizonIndicatorView() {
    return dynamic_cast<UIImageView*>(state().horizontalAlignmentIndicator.get());
}

VerticalAlertImageView::VerticalAlertImageView(CGRect frame) : UIImageView(frame) {
    setHighlightedImage(resourceImage("Indicators/verticalAlert@2x.png"));
    setTag(101);
    setUserInteractionEnabled(false);
}

void VerticalAlertImageView::CreateHorizontalAlignmentViews() {
    TweakState& st = state();
    if (st.horizontalAlignmentBase && st.horizontalAlignmentIndicator) return;
    // The screen's bounds follow the interface, so in landscape width and height have already
    // swapped roles.
    const CGRect screen = UIScreen::mainScreen().bounds();
    const CGRect frame =
        CGRectMake((screen.size.width - 320) / 2, (screen.size.height - 320) / 2 - 29, 320, 320);
    auto base = horizonView("HorizontalAlignment/horizonBase@2x.png",
                            "HorizontalAlignment/horizonBaseActivated@2x.png", frame);
    auto needle = horizonView("HorizontalAlignment/horizonIndicator@2x.png",
                              "HorizontalAlignment/horizonIndicatorActivated@2x.png", frame);
    if (const auto view = st.cameraView.lock()) {
        view->addSubview(base);
        view->addSubview(needle);
    }
    st.horizontalAlignmentBase = base;
    st.horizontalAlignmentIndicator = needle;
}

CGAffineTransform VerticalAlertImageView::getTransformationFromDeviceOrientation() {
    switch (state()._UIDeviceOrientation) {
        case UIDeviceOrientationPortrait:
            return CGAffineTransform{1, 0, 0, 1, 0, 0};
        case UIDeviceOrientationPortraitUpsideDown:
            return CGAffineTransform{-1, 0, 0, -1, 0, 0};
        case UIDeviceOrientationLandscapeLeft:
            return CGAffineTransform{0, -1, 1, 0, 0, 0};
        case UIDeviceOrientationLandscapeRight:
            return CGAffineTransform{0, 1, -1, 0, 0, 0};
        default:
            return CGAffineTransform{0, 0, 0, 0, 0, 0};
    }
}

CGAffineTransform VerticalAlertImageView::getTransformation() {
    return getTransformationFromDeviceOrientation();
}

void VerticalAlertImageView::UpdateHorizontalAlignmentViewsOrientation() {
    UIImageView* base = horizonBaseView();
    UIImageView* needle = horizonIndicatorView();
    if (base == nullptr && needle == nullptr) return;
    const CGAffineTransform t = getTransformationFromDeviceOrientation();
    if (t.a == 0 && t.b == 0) return;
    UIView::beginAnimations("w");
    UIView::setAnimationDuration(0.4);
    if (base != nullptr) base->setTransform(t);
    if (needle != nullptr) needle->setTransform(t);
    UIView::commitAnimations();
}

}  // namespace lumora
