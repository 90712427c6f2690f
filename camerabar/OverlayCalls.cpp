// The camera bar's calls to the composition guide controller and the horizon views.
#include "camerabar/CompanionCalls.h"
#include "camerabar/VerticalAlertImageView.h"
#include "core/TweakState.h"
#include "overlays/OverlaySelectionController.h"

namespace lumora::overlaytool {
namespace {

OverlaySelectionController* guides() {
    return dynamic_cast<OverlaySelectionController*>(state().overlaySelectionController.get());
}

}  // namespace

void layoutSubviews() {
    if (OverlaySelectionController* g = guides()) g->layoutSubviews();
}

void hideOverlayFunctionality(bool hide) {
    if (OverlaySelectionController* g = guides()) g->hideOverlayFunctionality(hide);
}

void updateHorizontalAlignmentViewsOrientation() {
    VerticalAlertImageView::UpdateHorizontalAlignmentViewsOrientation();
}

}  // namespace lumora::overlaytool
