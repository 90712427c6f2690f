#pragma once
// The progress line of a folder run on a terminal: files done of all, the rate and the time
// left, redrawn in place at most ten times a second. Messages printed through it appear above
// the line. Any thread may call it.

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

namespace lumora::phototool {

class Progress {
public:
    // `draw` false (output not a terminal): only messages are printed.
    Progress(std::FILE* out, std::size_t total, bool draw);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // One more file finished.
    void advance();
    // A line of text (without its newline), above the progress line.
    void message(const std::string& text);

    // The progress line for `done` of `total` after `elapsed` (exposed for tests).
    static std::string line(std::size_t done, std::size_t total,
                            std::chrono::duration<double> elapsed);

private:
    void redraw(bool force);

    std::FILE* out_;
    std::size_t total_;
    bool draw_;
    std::mutex mutex_;
    std::size_t done_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace lumora::phototool
