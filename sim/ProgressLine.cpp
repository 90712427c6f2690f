#include "sim/ProgressLine.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace sim {

ProgressLine::ProgressLine(bool enabled, double total)
    : enabled_(enabled && total > 0 && ::isatty(STDERR_FILENO) == 1),
      total_(total),
      last_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
    if (shown_) std::fprintf(stderr, "\r\033[K");
}

void ProgressLine::update(double done) {
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    // The first line waits a moment, so short runs never flash one.
    if (now - last_ < std::chrono::milliseconds(shown_ ? 200 : 300)) return;
    last_ = now;
    shown_ = true;
    const double percent = total_ > 0 ? 100.0 * done / total_ : 100.0;
    std::fprintf(stderr, "\r\033[K  virtual time %s of %s (%.0f%%)", formatClock(done).c_str(),
                 formatClock(total_).c_str(), percent);
    std::fflush(stderr);
}

std::string ProgressLine::formatClock(double seconds) {
    if (!(seconds >= 0)) seconds = 0;
    const long whole = static_cast<long>(std::floor(seconds));
    const long h = whole / 3600;
    const long m = (whole / 60) % 60;
    const double s = seconds - static_cast<double>(whole - whole % 60);
    char buf[48];
    if (h > 0)
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", h, m, whole % 60);
    else
        std::snprintf(buf, sizeof buf, "%ld:%04.1f", m, s);
    return buf;
}

}  // namespace sim
