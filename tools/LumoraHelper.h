#pragma once
// The rotation that turns one of the add-on's floating views upright for a device orientation.

#include "platform/geometry/Geometry.h"

namespace lumora {

class LumoraHelper {
public:
    LumoraHelper() = delete;

    // For the stored device orientation (`_UIDeviceOrientation`).
    static CGAffineTransform getTransformation();
    // For a given device orientation: 1 none, 2 half turn, 3 a quarter turn clockwise on screen,
    // 4 a quarter turn anticlockwise; face up, face down and unknown give none.
    static CGAffineTransform getTransformation(int orientation);
};

}  // namespace lumora
