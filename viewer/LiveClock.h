#pragma once
// Virtual time that follows real time: paused, at 1x or at 10x, and only while someone watches
// (the page is open). The mapping is re-anchored at every change, so virtual time never jumps;
// when the simulator ran ahead (a gesture spends its own virtual time), real time catches up
// before the clock moves on.

#include <chrono>
#include <optional>

namespace viewer {

class LiveClock {
public:
    using Clock = std::chrono::steady_clock;

    // The speeds the page offers: 0 (paused), 1 and 10.
    static bool isSpeed(double speed) { return speed == 0 || speed == 1 || speed == 10; }

    double speed() const { return speed_; }
    bool watched() const { return watched_; }
    // Time moves: a speed above 0 and someone watching.
    bool running() const { return speed_ > 0 && watched_; }

    void setSpeed(double speed, double virtualNow, Clock::time_point realNow);
    void setWatched(bool watched, double virtualNow, Clock::time_point realNow);

    // The virtual time due at `realNow` (never behind `virtualNow`: a clock that ran ahead is
    // re-anchored there).
    double target(double virtualNow, Clock::time_point realNow);
    // When virtual time `v` falls due in real time; nullopt while the clock stands still.
    std::optional<Clock::time_point> realTimeOf(double v) const;

private:
    void anchor(double virtualNow, Clock::time_point realNow);
    double speed_ = 1;
    bool watched_ = false;
    double anchorVirtual_ = 0;
    Clock::time_point anchorReal_{};
};

}  // namespace viewer
