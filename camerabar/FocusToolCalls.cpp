// The focus and exposure tool controller is not built yet: every call finds no companion.
#include "camerabar/CompanionCalls.h"

namespace lumora::focustool {

void toggleISOScrollView(bool) {}
void toggleShutterSpeedScrollView(bool) {}
void toggleFocusScrollView(bool) {}
void unSelectFocusAndExposureTabs() {}
void ableScrollUserInteraction(bool) {}
void layoutSubviews() {}
void toggleAdvancedFocus(bool, NSObject*, bool) {}
void resetFocusAndExposureTabs() {}

}  // namespace lumora::focustool
