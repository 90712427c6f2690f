#include "viewer/LiveClock.h"

namespace viewer {

void LiveClock::anchor(double virtualNow, Clock::time_point realNow) {
    anchorVirtual_ = virtualNow;
    anchorReal_ = realNow;
}

void LiveClock::setSpeed(double speed, double virtualNow, Clock::time_point realNow) {
    anchor(virtualNow, realNow);
    speed_ = speed;
}

void LiveClock::setWatched(bool watched, double virtualNow, Clock::time_point realNow) {
    if (watched == watched_) return;
    anchor(virtualNow, realNow);
    watched_ = watched;
}

double LiveClock::target(double virtualNow, Clock::time_point realNow) {
    if (!running()) {
        anchor(virtualNow, realNow);
        return virtualNow;
    }
    const double due =
        anchorVirtual_ + std::chrono::duration<double>(realNow - anchorReal_).count() * speed_;
    if (due < virtualNow) {
        anchor(virtualNow, realNow);
        return virtualNow;
    }
    return due;
}

std::optional<LiveClock::Clock::time_point> LiveClock::realTimeOf(double v) const {
    if (!running()) return std::nullopt;
    const double seconds = (v - anchorVirtual_) / speed_;
    if (seconds <= 0) return anchorReal_;
    // Far-off events (an hour away) need no nanosecond precision; cap to keep the sum in range.
    const double capped = seconds > 86400 ? 86400 : seconds;
    return anchorReal_ +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(capped));
}

}  // namespace viewer
