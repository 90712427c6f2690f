#pragma once
// CMMotionManager: device-motion samples at a chosen interval on the virtual clock, with gravity
// from the simulated pose (MotionSimulator). Each sample is delivered by running the handler as a
// block of the operation queue given at start, at the sample's virtual time (first sample one
// interval after the start; sample k at start + k * interval, so there is no drift). Main thread.

#include <functional>
#include <memory>

#include "platform/media/MotionOperationQueue.h"
#include "platform/media/MotionSimulator.h"
#include "platform/objc/NSObject.h"

class NSError;  // motion updates never fail here: the error argument is always null

struct CMAcceleration {
    double x = 0;
    double y = 0;
    double z = 0;
};

using CMAttitudeReferenceFrame = unsigned long;
inline constexpr CMAttitudeReferenceFrame CMAttitudeReferenceFrameXArbitraryZVertical = 1 << 0;
inline constexpr CMAttitudeReferenceFrame CMAttitudeReferenceFrameXArbitraryCorrectedZVertical =
    1 << 1;
inline constexpr CMAttitudeReferenceFrame CMAttitudeReferenceFrameXMagneticNorthZVertical = 1 << 2;
inline constexpr CMAttitudeReferenceFrame CMAttitudeReferenceFrameXTrueNorthZVertical = 1 << 3;

class CMDeviceMotion : public NSObject {
public:
    LU_OBJC_CLASS(CMDeviceMotion)
    CMDeviceMotion(CMAcceleration gravity, double timestamp)
        : gravity_(gravity), timestamp_(timestamp) {}
    CMAcceleration gravity() const { return gravity_; }
    // The simulated phone is held still.
    CMAcceleration userAcceleration() const { return {}; }
    // Virtual seconds of the sample.
    double timestamp() const { return timestamp_; }

private:
    CMAcceleration gravity_;
    double timestamp_;
};

using CMDeviceMotionHandler =
    std::function<void(const std::shared_ptr<CMDeviceMotion>& motion, const NSError* error)>;

class CMMotionManager : public NSObject {
public:
    LU_OBJC_CLASS(CMMotionManager)
    CMMotionManager() = default;
    // Stops updates: a released manager delivers nothing more.
    ~CMMotionManager() override;

    bool isDeviceMotionAvailable() const;
    bool isDeviceMotionActive() const { return active_; }

    // Seconds between samples; values are kept within [0.01, 1] (at most 100 Hz, as on the
    // phone); non-finite values are ignored. Takes effect at the next start.
    double deviceMotionUpdateInterval() const { return interval_; }
    void setDeviceMotionUpdateInterval(double seconds);

    // Replaces any running updates. Does nothing without device motion, a queue or a handler.
    void startDeviceMotionUpdatesUsingReferenceFrame(CMAttitudeReferenceFrame frame,
                                                     const std::shared_ptr<NSOperationQueue>& queue,
                                                     CMDeviceMotionHandler handler);
    void stopDeviceMotionUpdates();

    // The latest sample delivered, or null.
    std::shared_ptr<CMDeviceMotion> deviceMotion() const { return latest_; }
    CMAttitudeReferenceFrame attitudeReferenceFrame() const { return frame_; }

private:
    void scheduleNext();
    void deliver();

    double interval_ = 0.01;
    bool active_ = false;
    CMAttitudeReferenceFrame frame_ = CMAttitudeReferenceFrameXArbitraryZVertical;
    std::shared_ptr<NSOperationQueue> queue_;
    CMDeviceMotionHandler handler_;
    std::shared_ptr<CMDeviceMotion> latest_;
    double startTime_ = 0;
    double runInterval_ = 0.01;
    unsigned long long sampleIndex_ = 0;
    platform::EventId pending_ = 0;
};
