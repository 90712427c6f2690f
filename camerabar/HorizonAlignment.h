#pragma once
// The horizon indicator's device-motion source: 60 samples a second on a private operation
// queue, each handed to the main queue, where it turns the needle to the phone's roll and lights
// both horizon views while the phone is level (HorizonLevel.h). The camera bar holds the manager
// (its `motionManager`); its horizon methods (CameraBarHorizon.cpp) use these functions.
//
// A sample only reaches the views while the manager it came from is still running and still
// held: a stop, a second start or a teardown drops every sample in flight.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/media/MotionManager.h"

namespace lumora {

// Stops the held manager, then makes a new one with its own queue, at 1/60 s in the
// X-arbitrary, Z-vertical frame, and starts it when the phone has device motion.
void startHorizonMotion(std::shared_ptr<CMMotionManager>& motionManager);
// Stops updates at once (the manager is kept).
void stopHorizonMotion(const std::shared_ptr<CMMotionManager>& motionManager);
// Stops updates and releases the manager.
void destroyHorizonMotion(std::shared_ptr<CMMotionManager>& motionManager);

// One sample on the main thread: the needle turns by the angle, both views light when level.
// Nothing without both views.
void applyHorizonSample(const CMAcceleration& gravity);
// Samples applied to the views since the process started.
std::uint64_t horizonSamplesApplied();

// Fades both horizon views to `alpha` over 0.25 s; nothing without both views.
bool fadeHorizonViews(double alpha, std::function<void(bool)> completion);

}  // namespace lumora
