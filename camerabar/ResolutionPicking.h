#pragma once
// What a tap on one of the resolution picker's buttons does to the capture format.

namespace lumora {

// The frame rate a picked height is applied with: the rate in force, or 30 when none is (a rate
// of 0 would ask the device for a 1/0 s frame duration).
int frameRateForPickedHeight();

// Applies a picked height at frameRateForPickedHeight() (falling back to a rate the height
// offers). A height the host's current mode and camera do not allow — a button left over from
// another mode — changes nothing. True when the height was handed on.
bool applyPickedHeight(int height);

}  // namespace lumora
