#pragma once
// The horizon alignment indicator's motion handling, owned by the camera bar: switching it on
// fades the ring and needle in and starts device motion at 60 Hz; every sample turns the needle
// to the phone's roll and lights both views while the phone is level (HorizonLevel.h).
//
// Samples arrive on a private operation queue and are handed to the main queue; a stop or a
// teardown makes every sample and fade completion still in flight do nothing.

#include <cstdint>
#include <memory>

#include "platform/media/MotionManager.h"

namespace lumora {

class HorizonMotion {
public:
    HorizonMotion() = default;
    HorizonMotion(const HorizonMotion&) = delete;
    HorizonMotion& operator=(const HorizonMotion&) = delete;
    ~HorizonMotion();

    // A fresh queue and manager at 1/60 s in the X-arbitrary, Z-vertical frame; the held manager
    // is stopped first, so only the latest one delivers. False without device motion.
    bool start();
    // Stops updates at once; samples already queued are dropped. The manager is kept.
    void stop();
    // Stops and releases the manager; pending fade completions are dropped too.
    void destroy();

    const std::shared_ptr<CMMotionManager>& motionManager() const { return manager_; }
    // Lives until destroy(): completions hold it weakly.
    std::weak_ptr<const void> lifeToken() const { return life_; }
    // Samples applied to the views since start-up.
    std::uint64_t appliedSamples() const { return *applied_; }

private:
    std::shared_ptr<CMMotionManager> manager_;
    std::shared_ptr<NSOperationQueue> queue_;
    std::shared_ptr<int> run_ = std::make_shared<int>(0);
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
    std::shared_ptr<std::uint64_t> applied_ = std::make_shared<std::uint64_t>(0);
};

// One sample on the main thread: the needle turns by the angle, both views light when level.
void applyHorizonSample(const CMAcceleration& gravity);

// StartCMDeviceMotion / StopCMDeviceMotion: / toggleHorizonAlignment: (only while both horizon
// views exist). The on/off flag `horizonAlignmentShowing` and the button's highlight follow the
// end of the 0.25 s fades; the preferences are saved when settings are remembered (and, for a
// stop, when `save`).
void StartHorizonAlignment(HorizonMotion& motion);
void StopHorizonAlignment(HorizonMotion& motion, bool save);
void ToggleHorizonAlignment(HorizonMotion& motion);
// At the camera bar's start: resumes a remembered indicator, but only while the feature switch
// is on (otherwise there would be no button to switch it off).
void ResumeRememberedHorizonAlignment(HorizonMotion& motion);

}  // namespace lumora
