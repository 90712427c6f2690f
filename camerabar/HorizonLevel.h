#pragma once
// When the phone counts as level, from the gravity of a device-motion sample (device frame, in
// g: x right, y toward the top edge). The needle's angle is atan2(g.x, g.y): about ±π held
// upright, ±π/2 in the landscapes, 0 upside down.

#include "platform/media/MotionManager.h"

namespace lumora {

struct HorizonReading {
    double angle = 0;  // radians, the needle's rotation
    bool level = false;
};

// Level when 1.561453 < |angle| < 1.581453 (either landscape) or 3.13 < |angle| < 3.15
// (portrait); never upside down. A phone lying flat has almost no gravity in the screen's plane
// and its angle is noise (atan2(-0, -0) is -π): below kFlatGravity it is never level.
HorizonReading readHorizon(const CMAcceleration& gravity);

inline constexpr double kFlatGravity = 0.05;

}  // namespace lumora
