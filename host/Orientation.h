#pragma once
// How the camera screen follows the way the device is held. A phone keeps its interface in
// portrait and turns each control (flash, HDR, flip, thumbnail, filter) upright in place; a
// tablet turns its whole interface, so its controls need no turn of their own.

#include "platform/geometry/Geometry.h"

namespace host {

// True on a tablet, whose interface turns with the device.
bool interfaceTurnsWithDevice();
// Whether a device orientation (1-6) is a hold the controls follow (1-4; face up or down keep
// the last one).
inline bool isHold(long orientation) {
    return orientation >= 1 && orientation <= 4;
}
// The turn that makes a control upright for a hold: a quarter turn clockwise on screen for
// landscape left (3), anticlockwise for landscape right (4), a half turn upside down (2);
// identity in portrait, for anything else, and on a tablet.
CGAffineTransform uprightTransform(long orientation);
// Whether the hold turns controls a quarter turn (their width and height swap on screen).
bool isSidewaysHold(long orientation);

}  // namespace host
