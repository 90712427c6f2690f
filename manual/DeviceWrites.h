#pragma once
// The rulers' writes to the camera, each under the configuration lock and within what the active
// format allows: custom exposure must be supported for a shutter-speed or ISO write, the
// duration is limited to the format's exposure range and the ISO to its range rounded inward
// (a fractional minimum rounds up, so the written whole ISO is never below it).

#include <optional>

class AVCaptureDevice;

namespace lumora {

// Locks focus at `lens` (0..1). False when nothing was written.
bool writeLensPosition(AVCaptureDevice* device, float lens);

// Exposure 1/denominator s with the present ISO; answers the denominator written (after the
// format's limits), or nothing when nothing was written.
std::optional<int> writeShutterSpeed(AVCaptureDevice* device, int denominator);
// ISO `iso` with the present duration; answers the ISO written, or nothing.
std::optional<int> writeISO(AVCaptureDevice* device, int iso);

// What a write would give, without writing (nothing when the write would not happen).
std::optional<int> limitedShutterSpeed(const AVCaptureDevice* device, int denominator);
std::optional<int> limitedISO(const AVCaptureDevice* device, int iso);

}  // namespace lumora
