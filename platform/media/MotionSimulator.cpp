#include "platform/media/MotionSimulator.h"

#include <cmath>
#include <numbers>

namespace platform {

namespace {

struct Pose {
    const char* name;
    double roll;
    double pitch;
};

constexpr Pose kPoses[] = {
    {"portrait", 0, 0},          {"upside-down", 180, 0}, {"landscape-left", 90, 0},
    {"landscape-right", -90, 0}, {"face-up", 0, 90},      {"face-down", 0, -90},
};

// sin and cos of whole quarter turns come out as 1e-16 rather than 0; clean them up so that the
// named poses give exact axes.
double clean(double v) {
    return std::fabs(v) < 1e-12 ? 0.0 : v;
}

}  // namespace

MotionSimulator& MotionSimulator::shared() {
    static MotionSimulator simulator;
    return simulator;
}

bool MotionSimulator::setPose(const std::string& name) {
    for (const auto& p : kPoses) {
        if (name == p.name) {
            roll_ = p.roll;
            pitch_ = p.pitch;
            tilt_ = 0;
            return true;
        }
    }
    return false;
}

const std::vector<std::string>& MotionSimulator::poseNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& p : kPoses) out.emplace_back(p.name);
        return out;
    }();
    return names;
}

void MotionSimulator::setRoll(double degrees) {
    if (std::isfinite(degrees)) roll_ = degrees;
}

void MotionSimulator::setPitch(double degrees) {
    if (std::isfinite(degrees)) pitch_ = degrees;
}

void MotionSimulator::setTilt(double degrees) {
    if (std::isfinite(degrees)) tilt_ = degrees;
}

MotionVector MotionSimulator::gravity() const {
    constexpr double kRad = std::numbers::pi / 180.0;
    const double r = (roll_ + tilt_) * kRad;
    const double p = pitch_ * kRad;
    return MotionVector{clean(-std::sin(r) * std::cos(p)), clean(-std::cos(r) * std::cos(p)),
                        clean(-std::sin(p))};
}

void MotionSimulator::reset() {
    roll_ = pitch_ = tilt_ = 0;
    available_ = true;
}

}  // namespace platform
