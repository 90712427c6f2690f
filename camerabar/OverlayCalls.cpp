// The overlay controller and the horizon views are not built yet: every call finds no companion.
#include "camerabar/CompanionCalls.h"

namespace lumora::overlaytool {

void layoutSubviews() {}
void hideOverlayFunctionality(bool) {}
void updateHorizontalAlignmentViewsOrientation() {}

}  // namespace lumora::overlaytool
