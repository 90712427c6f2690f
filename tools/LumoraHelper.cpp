#include "tools/LumoraHelper.h"

#include "tools/Predicates.h"

namespace lumora {
namespace {

// Exact coefficients: a rotation built from sin/cos would leave 6e-17 where 0 belongs.
constexpr CGAffineTransform kNone{1, 0, 0, 1, 0, 0};
constexpr CGAffineTransform kHalfTurn{-1, 0, 0, -1, 0, 0};
constexpr CGAffineTransform kQuarterClockwise{0, 1, -1, 0, 0, 0};
constexpr CGAffineTransform kQuarterAnticlockwise{0, -1, 1, 0, 0, 0};

}  // namespace

CGAffineTransform LumoraHelper::getTransformation() {
    if (isPortraitNormalOrientation()) return kNone;
    if (isPortraitUpsideDownOrientation()) return kHalfTurn;
    if (isLandscapeLeftOrientation()) return kQuarterAnticlockwise;
    if (isLandscapeRightOrientation()) return kQuarterClockwise;
    return kNone;
}

CGAffineTransform LumoraHelper::getTransformation(int orientation) {
    switch (orientation) {
        case 1:
            return kNone;
        case 2:
            return kHalfTurn;
        case 3:
            return kQuarterClockwise;
        case 4:
            return kQuarterAnticlockwise;
        default:
            return kNone;
    }
}

}  // namespace lumora
