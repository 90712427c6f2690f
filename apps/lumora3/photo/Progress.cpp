#include "apps/lumora3/photo/Progress.h"

#include <algorithm>
#include <cmath>

namespace lumora::phototool {

namespace {

std::string clock(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char text[32];
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    }
    return text;
}

}  // namespace

Progress::Progress(std::FILE* out, std::size_t total, bool draw)
    : out_(out), total_(total), draw_(draw), start_(std::chrono::steady_clock::now()) {
    redraw(true);
}

Progress::~Progress() {
    if (draw_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
    }
}

std::string Progress::line(std::size_t done, std::size_t total,
                           std::chrono::duration<double> elapsed) {
    constexpr int kWidth = 24;
    const double fraction = total ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    const int filled = static_cast<int>(fraction * kWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kWidth, '.');
    const double seconds = elapsed.count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    char text[128];
    if (done == 0 || rate <= 0) {
        std::snprintf(text, sizeof text, "[%s] %zu/%zu photos", bar.c_str(), done, total);
    } else {
        std::snprintf(text, sizeof text, "[%s] %zu/%zu photos  %.1f/s  %s left", bar.c_str(), done,
                      total, rate, clock(static_cast<double>(total - done) / rate).c_str());
    }
    return text;
}

void Progress::advance() {
    std::lock_guard lock(mutex_);
    ++done_;
    redraw(done_ == total_);
}

void Progress::message(const std::string& text) {
    std::lock_guard lock(mutex_);
    if (draw_) std::fputs("\r\033[K", out_);
    std::fprintf(out_, "%s\n", text.c_str());
    redraw(true);
}

void Progress::redraw(bool force) {
    if (!draw_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
    lastDrawn_ = now;
    std::fprintf(out_, "\r\033[K%s", line(done_, total_, now - start_).c_str());
    std::fflush(out_);
}

}  // namespace lumora::phototool
