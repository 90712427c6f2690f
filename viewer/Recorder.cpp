#include "viewer/Recorder.h"

#include <cmath>

namespace viewer {

void Recorder::start(std::vector<std::string> prologue, double elapsed) {
    active_ = true;
    lines_ = std::move(prologue);
    replayTime_ = elapsed;
}

void Recorder::waitUntil(double now) {
    const long ms = std::lround((now - replayTime_) * 1000);
    if (ms > 0) {
        lines_.push_back("advance " + std::to_string(ms) + "ms");
        replayTime_ += static_cast<double>(ms) / 1000;
    }
}

void Recorder::action(const std::string& line, double before, double after) {
    if (!active_) return;
    waitUntil(before);
    lines_.push_back(line);
    replayTime_ += after - before;
}

void Recorder::note(const std::string& line, double now) {
    if (!active_) return;
    waitUntil(now);
    lines_.push_back(line);
}

std::string Recorder::finish(const std::vector<std::string>& epilogue, double now) {
    waitUntil(now);
    std::string text;
    for (const auto& l : lines_) text += l + "\n";
    for (const auto& l : epilogue) text += l + "\n";
    active_ = false;
    lines_.clear();
    return text;
}

}  // namespace viewer
