#pragma once
// Which camera took each still photo. The host saves a photo on its saving thread some time
// after the shot; by then the user may have switched cameras, so the camera is recorded with
// the capture request (main thread, as the still is about to be captured) and read back with the
// saved response (saving thread).

#include <optional>

#include "hostapi/HostAPI.h"

namespace lumora {

// Main thread, as the host is about to capture the still of `request`: records the camera of
// `controller` (the current camera when it is not the host's capture controller).
void rememberStillCamera(id controller, id request);

// Whether the still of `response` was taken with the front camera, as recorded; nullopt when no
// camera was recorded for its request. The record is used up.
std::optional<bool> takeStillCamera(id response);

// For the duration of a save on this thread: the camera of the still being saved, which
// stillSavedWithFrontCamera() reports to the rewriting step further down the same call.
class SavingStill {
public:
    explicit SavingStill(id response);
    ~SavingStill();
    SavingStill(const SavingStill&) = delete;
    SavingStill& operator=(const SavingStill&) = delete;

private:
    std::optional<bool> previous_;
};

// The camera of the still this thread is saving; the current camera when none was recorded.
bool stillSavedWithFrontCamera();

}  // namespace lumora
