// Opening and closing the manual value dials: the strip grows from 65 to 95 points while one is
// open, and shrinks back only from that grown height.
#include "camerabar/CameraBarView.h"
#include "camerabar/CompanionCalls.h"
#include "core/TweakState.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/ui/UIScrollView.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr double kDialDuration = 0.15;

bool deviceSupportsLockedFocus() {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return false;
    const auto device = controller->currentDevice();
    return device && device->isFocusModeSupported(AVCaptureFocusModeLocked);
}

void growHeight(UIView& view, CGFloat delta) {
    CGRect f = view.frame();
    f.size.height += delta;
    view.setFrame(f);
}

}  // namespace

void CameraBarView::toggleExposureScrollDials(bool hide) {
    if (!hide) focustool::toggleFocusScrollView(true);
    std::weak_ptr<CameraBarView> weak = std::static_pointer_cast<CameraBarView>(shared_from_this());
    UIView::animateWithDuration(
        kDialDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [weak, hide] {
            if (auto view = weak.lock()) view->toggleHeightScrollView(hide);
        },
        [hide](bool) {
            focustool::toggleISOScrollView(hide);
            focustool::toggleShutterSpeedScrollView(hide);
        });
}

void CameraBarView::toggleFocusScrollDial(bool hide) {
    if (!hide) {
        focustool::toggleISOScrollView(true);
        focustool::toggleShutterSpeedScrollView(true);
    }
    std::weak_ptr<CameraBarView> weak = std::static_pointer_cast<CameraBarView>(shared_from_this());
    UIView::animateWithDuration(
        kDialDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [weak, hide] {
            if (auto view = weak.lock()) view->toggleHeightScrollView(hide);
        },
        [hide](bool) { focustool::toggleFocusScrollView(hide); });
}

void CameraBarView::toggleHeightScrollView(bool hide) {
    CGFloat delta = 0;
    if (!hide && !grown_ && frame().size.height == kClosedHeight) delta = kGrowth;
    // Only a grown strip shrinks: a strip of any other height (the tablet's column) keeps it.
    if (hide && grown_) delta = -kGrowth;
    if (hide) focustool::unSelectFocusAndExposureTabs();
    if (delta == 0) return;
    grown_ = delta > 0;
    std::weak_ptr<CameraBarView> weak = std::static_pointer_cast<CameraBarView>(shared_from_this());
    UIView::animateWithDuration(
        kDialDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [weak, delta] {
            if (auto view = weak.lock()) view->growBy(delta);
        },
        [weak, hide](bool) {
            // The strip may have gone (teardown) or been reset meanwhile.
            auto view = weak.lock();
            if (!view || !view->scrollview) return;
            // The scroll view follows the strip's height as it is now, so a shrink or a reset that
            // came meanwhile is not undone.
            CGRect f = view->scrollview->frame();
            f.size.height = view->bounds().size.height;
            view->scrollview->setFrame(f);
            if (!hide) focustool::ableScrollUserInteraction(deviceSupportsLockedFocus());
        });
}

void CameraBarView::growBy(CGFloat delta) {
    CGRect f = frame();
    f.origin.y -= delta;
    f.size.height += delta;
    setFrame(f);
    for (const auto& sub : subviews()) {
        if (sub->tag() == kBlurTag || sub->tag() == kNonBlurTag) growHeight(*sub, delta);
    }
}

void CameraBarView::restoreClosedHeight() {
    if (grown_) {
        focustool::toggleISOScrollView(true);
        focustool::toggleShutterSpeedScrollView(true);
        focustool::toggleFocusScrollView(true);
        focustool::unSelectFocusAndExposureTabs();
    }
    grown_ = false;
    const CGFloat height = bounds().size.height;
    UIView::performWithoutAnimation([this, height] {
        for (const auto& sub : subviews()) {
            if (sub->tag() == kBlurTag || sub->tag() == kNonBlurTag || sub == scrollview) {
                CGRect f = sub->frame();
                f.size.height = height;
                sub->setFrame(f);
            }
        }
    });
}

}  // namespace lumora
