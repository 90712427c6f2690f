#pragma once
// A one-line progress display on stderr for long runs of virtual time, rewritten in place. It
// shows only when enabled and stderr is a terminal, at most a few times a second, and erases
// itself when done.

#include <chrono>
#include <string>

namespace sim {

class ProgressLine {
public:
    // `total` virtual seconds will be run.
    ProgressLine(bool enabled, double total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(double done);
    bool visible() const { return shown_; }

    // "1:02:03" or "2:03.5".
    static std::string formatClock(double seconds);

private:
    bool enabled_;
    double total_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_;
};

}  // namespace sim
