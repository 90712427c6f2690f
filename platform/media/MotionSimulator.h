#pragma once
// The simulated phone's pose, which the motion framework turns into gravity. Scenarios set it by
// name or by angles. Device-wide: it survives an app relaunch, as the phone in the hand does.
//
// Angles in degrees: roll turns the phone in the plane of its screen (0 portrait, 90 landscape
// left, -90 landscape right, 180 upside down); pitch tips the screen up (90 face up, -90 face
// down); tilt is an extra roll added on top, for "slightly off level" poses.
// Gravity is in the device frame (x right, y toward the top edge, z out of the screen), in g:
//   g = (-sin(roll) cos(pitch), -cos(roll) cos(pitch), -sin(pitch)),
// so portrait upright gives (0, -1, 0) and face up (0, 0, -1).

#include <string>
#include <vector>

namespace platform {

struct MotionVector {
    double x = 0;
    double y = 0;
    double z = 0;
};

class MotionSimulator {
public:
    static MotionSimulator& shared();
    MotionSimulator(const MotionSimulator&) = delete;
    MotionSimulator& operator=(const MotionSimulator&) = delete;

    // "portrait", "upside-down", "landscape-left", "landscape-right", "face-up", "face-down".
    // Sets roll and pitch and clears the tilt; false (no change) for another name.
    bool setPose(const std::string& name);
    static const std::vector<std::string>& poseNames();

    // Non-finite angles are ignored.
    void setRoll(double degrees);
    void setPitch(double degrees);
    void setTilt(double degrees);
    double roll() const { return roll_; }
    double pitch() const { return pitch_; }
    double tilt() const { return tilt_; }

    MotionVector gravity() const;

    // Whether the phone has device motion (all simulated models do; fault tests turn it off).
    bool deviceMotionAvailable() const { return available_; }
    void setDeviceMotionAvailable(bool available) { available_ = available; }

    // Portrait, no tilt, motion available.
    void reset();

private:
    MotionSimulator() = default;
    double roll_ = 0;
    double pitch_ = 0;
    double tilt_ = 0;
    bool available_ = true;
};

}  // namespace platform
