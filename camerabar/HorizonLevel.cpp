#include "camerabar/HorizonLevel.h"

#include <cmath>

namespace lumora {

HorizonReading readHorizon(const CMAcceleration& gravity) {
    HorizonReading r;
    r.angle = std::atan2(gravity.x, gravity.y);
    if (std::hypot(gravity.x, gravity.y) < kFlatGravity) return r;
    const double a = std::fabs(r.angle);
    const bool landscape = a > 1.561453 && a < 1.581453;
    const bool portrait = a > 3.13 && a < 3.15;
    r.level = landscape || portrait;
    return r;
}

}  // namespace lumora
