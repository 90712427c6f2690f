#include "core/TopBarCompanions.h"

#include <cstdint>

#include "camerabar/VerticalAlertImageView.h"
#include "core/TweakState.h"
#include "overlays/OverlaySelectionController.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "tools/CAM_Tools.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// Only the latest top-bar fade decides the final hidden state.
std::uint64_t topBarFadeGeneration = 0;

}  // namespace

void CreateHorizonAlignmentBtn(const UIGestureRecognizer::Action& callback,
                               const std::shared_ptr<NSObject>& owner) {
    TweakState& st = state();
    if (!st.showHorizonAlignment || st.horizonAlignmentBtn) return;
    const std::shared_ptr<CAMTopBar> topBar = st._CAMTopBar.lock();
    if (!topBar) return;
    const std::shared_ptr<UIButton> flip = topBar->flipButton();
    const CGFloat y = (st.screensize == 2 || st.screensize == 3) ? 0 : -2;
    const CGFloat x = (flip ? flip->frame().origin.x : 0) - 35;
    auto button = std::make_shared<UIImageView>(CGRectMake(x, y, 45, 45));
    button->setImage(UIImage::imageWithContentsOfFile(
        CAM_Tools::resourcePath("Buttons/overlayHorizonBtn@2x.png")));
    button->setHighlightedImage(UIImage::imageWithContentsOfFile(
        CAM_Tools::resourcePath("Buttons/overlayHorizonBtnActivated@2x.png")));
    button->setTag(101);
    button->setUserInteractionEnabled(true);
    button->addGestureRecognizer(std::make_shared<UITapGestureRecognizer>(owner, callback));
    topBar->addSubview(button);
    st.horizonAlignmentBtn = button;
}

void CreateVideoVerticallyTiltedAlert() {
    TweakState& st = state();
    if (!st.showVerticalAlert) return;
    if (!st.videoVerticallyTiltedAlert && !isTablet()) {
        const CGFloat w = UIScreen::mainScreen().bounds().size.width;
        auto alert = std::make_shared<VerticalAlertImageView>(CGRectMake(w - 105, 10, 22, 22));
        if (const auto topBar = st._CAMTopBar.lock()) topBar->addSubview(alert);
        st.videoVerticallyTiltedAlert = alert;
    }
    if (auto* alert = dynamic_cast<UIImageView*>(st.videoVerticallyTiltedAlert.get())) {
        alert->setHighlighted(isVideoMode() &&
                              (st._UIDeviceOrientation == 1 || st._UIDeviceOrientation == 2));
    }
}

int overlayIndicatorImageForMode(long mode) {
    // The indicator shows the guide button's own picture; no guide shows picture 0.
    const int tag = buttonTagForOverlayMode(mode);
    return tag < 0 ? 0 : tag;
}

void CreateOverlayIndicator(const UIControl::Action& callback,
                            const std::shared_ptr<NSObject>& owner) {
    TweakState& st = state();
    if (!st.showOverlays || isTablet()) return;
    if (!st.overlaySelectionController) {
        st.overlaySelectionController =
            std::make_shared<OverlaySelectionController>(owner, callback);
    }
    auto* overlays = dynamic_cast<OverlaySelectionController*>(st.overlaySelectionController.get());
    if (overlays == nullptr) return;
    overlays->setOverlayIndicatorImg(overlayIndicatorImageForMode(st.globOverlayMode), true);
    const long mode = getCameraMode();
    overlays->hideOverlayFunctionality(!(mode == 0 || mode == 6));
}

void ToggleTopbarIcons(bool hide) {
    const std::uint64_t generation = ++topBarFadeGeneration;
    auto* button = dynamic_cast<UIView*>(state().horizonAlignmentBtn.get());
    if (button == nullptr) return;
    UIView::animateWithDuration(
        3.9, 0, UIViewAnimationOptionCurveEaseIn,
        [button, hide] { button->setAlpha(hide ? 0 : 1); },
        [generation, hide](bool) {
            if (generation != topBarFadeGeneration) return;
            // The button may have gone with the camera bar meanwhile.
            if (auto* b = dynamic_cast<UIView*>(state().horizonAlignmentBtn.get())) {
                b->setHidden(hide);
            }
        });
}

}  // namespace lumora
