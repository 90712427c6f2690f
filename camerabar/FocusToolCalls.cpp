// The camera bar's calls to the focus and exposure tool controller; each does nothing while the
// controller does not exist.
#include "camerabar/CompanionCalls.h"
#include "manual/FocusAndExposureToolController.h"

namespace lumora::focustool {
namespace {

FocusAndExposureToolController* tools() {
    return FocusAndExposureToolController::shared();
}

}  // namespace

void toggleISOScrollView(bool hide) {
    if (auto* t = tools()) t->toggleISOScrollView(hide);
}

void toggleShutterSpeedScrollView(bool hide) {
    if (auto* t = tools()) t->toggleShutterSpeedScrollView(hide);
}

void toggleFocusScrollView(bool hide) {
    if (auto* t = tools()) t->toggleFocusScrollView(hide);
}

void unSelectFocusAndExposureTabs() {
    if (auto* t = tools()) t->unSelectFocusAndExposureTabs();
}

void ableScrollUserInteraction(bool enable) {
    auto* t = tools();
    if (t != nullptr && t->dialScrollviewLensPosition() != nullptr) {
        t->dialScrollviewLensPosition()->ableScrollUserInteraction(enable);
    }
}

void layoutSubviews() {
    if (auto* t = tools()) t->layoutSubviews();
}

void toggleAdvancedFocus(bool on, NSObject*, bool doReset) {
    if (auto* t = tools()) t->toggleAdvancedFocus(on, nullptr, doReset);
}

void resetFocusAndExposureTabs() {
    if (auto* t = tools()) t->resetFocusAndExposureTabs();
}

}  // namespace lumora::focustool
