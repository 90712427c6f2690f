// The camera bar's resolution picker: opening and closing it, its fade callbacks, its rotation,
// and the taps on the resolution badge, the picker's buttons and the guide buttons.
#include "camerabar/CameraBar.h"
#include "camerabar/ElementTaps.h"
#include "camerabar/ResolutionPicking.h"
#include "capture/FormatBadges.h"
#include "core/CameraBarLifecycle.h"
#include "core/TweakState.h"
#include "overlays/CustomDimensionView.h"
#include "overlays/OverlaySelectionController.h"
#include "platform/device/UIDevice.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

std::weak_ptr<CameraBar> weakBar(CameraBar& bar) {
    return std::static_pointer_cast<CameraBar>(bar.shared_from_this());
}

bool pickerIsUp(const CameraBar& bar) {
    return bar.dimensionSelectionView &&
           (bar.dimensionSelectorViewShowing || bar.dimensionSelectionView->isFadingIn());
}

}  // namespace

void tapResolutionBadge(CameraBar& bar) {
    if (!bar.dimensionSelectionView) {
        auto picker = CustomDimensionView::create(getDimensionSelectionViewFrame(250, 230));
        picker->setAlpha(0);
        if (const auto cameraView = state().cameraView.lock()) cameraView->addSubview(picker);
        bar.dimensionSelectionView = picker;
    }
    if (pickerIsUp(bar)) {
        bar.toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        return;
    }
    toggleCameraButtonArray(0);
    bar.toggleElementFinished(HIDE_FPS_SELECTOR, 1.0f);
    bar.showDimensionSelectionView();
}

void tapResolutionButton(CameraBar& bar, const UIView& button) {
    const int height = static_cast<int>(button.tag());
    bar.toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.1f);
    applyPickedHeight(height);
}

void tapGuideButton(const UIView& button) {
    if (auto* guides =
            dynamic_cast<OverlaySelectionController*>(state().overlaySelectionController.get())) {
        guides->setOverlayIndicatorImg(static_cast<int>(button.tag()), false);
    }
}

void CameraBar::showDimensionSelectionView() {
    if (!dimensionSelectionView) return;
    const auto& table = state().deviceFrameRatesForDimensions;
    const std::weak_ptr<CameraBar> weak = weakBar(*this);
    dimensionSelectionView->fadeInDimensionView(
        0,
        [weak] {
            if (auto bar = weak.lock()) bar->dimensionFadeinFinished();
        },
        table ? dimensionDictionary(*table) : DimensionDictionary{}, shared_from_this(),
        [weak](UIGestureRecognizer* recognizer) {
            if (auto bar = weak.lock()) bar->toggleElement(recognizer);
        });
}

void CameraBar::hideDimensionSelectionView(float seconds) {
    if (!dimensionSelectionView) return;
    const std::weak_ptr<CameraBar> weak = weakBar(*this);
    dimensionSelectionView->fadeOutDimensionView(static_cast<int>(seconds), [weak] {
        if (auto bar = weak.lock()) bar->dimensionFadeoutFinished();
    });
}

void CameraBar::dimensionFadeinFinished() {
    dimensionSelectorViewShowing = true;
}

void CameraBar::dimensionFadeoutFinished() {
    dimensionSelectorViewShowing = false;
}

void CameraBar::_rotate() {
    if (!dimensionSelectionView) return;
    if (!isTablet()) {
        dimensionSelectionView->didRotate();
        return;
    }
    // On a tablet: centred in the free area above the bottom bar.
    const CGRect screen = UIScreen::mainScreen().bounds();
    const CGSize size = dimensionSelectionView->bounds().size;
    const auto bottomBar = state()._CAMBottomBar.lock();
    const CGFloat freeHeight = bottomBar ? bottomBar->frame().origin.y : screen.size.height;
    dimensionSelectionView->setFrame(CGRectMake((screen.size.width - size.width) / 2,
                                                (freeHeight - size.height) / 2, size.width,
                                                size.height));
}

void CameraBar::releaseDimensionSelectionView() {
    if (dimensionSelectionView) dimensionSelectionView->removeFromSuperview();
    dimensionSelectionView.reset();
    dimensionSelectorViewShowing = false;
}

}  // namespace lumora
