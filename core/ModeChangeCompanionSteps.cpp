// The overlay indicator, the horizon button and the vertical-tilt alert are not built yet:
// their mode-change steps have nothing to create.
#include "core/ModeChangeSteps.h"

namespace lumora::modechange {

void createOverlayIndicatorStep() {}

void createHorizonAlignmentBtnStep() {}

void createVerticallyTiltedAlertStep() {}

}  // namespace lumora::modechange
