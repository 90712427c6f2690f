#pragma once
// What the camera bar asks of its companions built elsewhere: the focus and exposure tool
// controller (`state().focusAndExposureToolController`), the overlay controller
// (`state().overlaySelectionController`) and the horizon views. Each call does nothing while its
// companion does not exist. The focus tool's calls live in FocusToolCalls.cpp, the overlay's in
// OverlayCalls.cpp, so each companion's owner replaces one file.

class NSObject;

namespace lumora::focustool {

void toggleISOScrollView(bool hide);
void toggleShutterSpeedScrollView(bool hide);
void toggleFocusScrollView(bool hide);
void unSelectFocusAndExposureTabs();
// Lets the lens-position dial take touches (or not).
void ableScrollUserInteraction(bool enable);
void layoutSubviews();
// toggleAdvancedFocus:cameraView:doReset:
void toggleAdvancedFocus(bool on, NSObject* cameraView, bool doReset);
void resetFocusAndExposureTabs();

}  // namespace lumora::focustool

namespace lumora::overlaytool {

void layoutSubviews();
void hideOverlayFunctionality(bool hide);
// The horizon views turn to the device orientation (a class method of the vertical-tilt alert).
void updateHorizontalAlignmentViewsOrientation();

}  // namespace lumora::overlaytool
