#include "platform/graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
double clamp01(double v) {
    if (!(v > 0)) return 0;  // also NaN
    return std::min(v, 1.0);
}
}  // namespace

Color clamped(const Color& c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

}  // namespace platform
