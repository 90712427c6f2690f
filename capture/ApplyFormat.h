#pragma once
// Applying a chosen frame rate or resolution height to the capture device: picking the format,
// then fixing both frame durations at 1/rate s under the device's configuration lock. A refused
// lock changes nothing on the device and skips the badges and the saving of the preferences.

namespace lumora {

// In host mode 1 (plain video), switches to a format of valid height with a frame-rate range
// reaching `rate`: the first such format of the active format's height, else the last such
// format of any height, and pins the device at `rate` (0: the format's default rate). With
// adoptHeight the format's height becomes the chosen video height. The change runs inside a
// session configuration bracket.
void setFrameRate(int rate, bool adoptHeight);

// Switches to the first format of `height` whose first frame-rate range reaches the rate it can
// be given (getMaxFrameRateForRequestedDimension), and pins the device at that rate. The rate is
// recorded as the rate in force even when no format is taken.
void setDimension(int height, int rate);

}  // namespace lumora
