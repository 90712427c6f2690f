#pragma once
// The white-balance lock: the device's white-balance mode (0 locked, 2 continuous automatic) and
// the amber "WB LOCK" label shown in the host's top bar (bottom bar on a tablet) while the lock
// is on. While locked, `canWhiteBalance` is false and the host hooks keep the host from changing
// white balance.

namespace lumora {

// Locks (mode 0) or unlocks (mode 2) the capture device's white balance. Nothing when the device
// is already in that mode, does not offer it, or refuses the configuration lock.
void toggleWhiteBalance(bool lock);

// Creates `whiteBalanceLockLbl` with the upper-cased translation of "WB_LOCK" and fades it in
// (0.2 s). French needs a label 5 points wider, placed 5 points further left.
void createAndShowWBLabel();

// Fades the label out (0.15 s); at the end removes and releases it, unselects the white-balance
// button and sets `canWhiteBalance`. The end runs even without a label, so the button and the flag
// always return to "unlocked". The device's white-balance mode is left as it is.
void hideAndDestroyWBLabel();

}  // namespace lumora
