#pragma once
// What the person did, as a scenario: the set-up lines that bring a fresh phone to where the
// recording began, then each action with the `advance` of the virtual time between actions,
// and the checks the person asked for. Replayed by `lumora3 run`, the same lines run the same
// steps at the same virtual times.

#include <string>
#include <vector>

namespace viewer {

class Recorder {
public:
    bool active() const { return active_; }
    const std::vector<std::string>& lines() const { return lines_; }

    // Starts afresh with `prologue` at session time `elapsed`.
    void start(std::vector<std::string> prologue, double elapsed);
    // An action that ran from session time `before` to `after`; the wait since the last action
    // becomes an `advance` in whole milliseconds. The rounding is carried over, so a long
    // recording does not drift from the live run.
    void action(const std::string& line, double before, double after);
    // A line that takes no time (a check) at session time `now`, after the wait until then.
    void note(const std::string& line, double now);
    // Ends the recording at session time `now` with `epilogue`; the whole scenario text.
    std::string finish(const std::vector<std::string>& epilogue, double now);

private:
    // The wait from where a replay stands to session time `now`, as an `advance`.
    void waitUntil(double now);
    bool active_ = false;
    std::vector<std::string> lines_;
    double replayTime_ = 0;  // where a replay's clock stands after the lines so far
};

}  // namespace viewer
