#pragma once
// Runs a parsed scenario in a session and reports what failed, with file:line.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sim/scenario/Script.h"

namespace sim {

class Session;

struct Failure {
    SourceLocation where;
    std::string line;     // the step as written
    std::string message;  // what went wrong
    bool fatal = false;   // an action failed and the scenario stopped there
    // "file:line: expect ...: message".
    std::string describe() const;
};

struct RunReport {
    std::string file;
    std::size_t stepsRun = 0;
    std::size_t expectations = 0;  // checked
    std::vector<Failure> failures;
    bool stopped = false;                        // a fatal failure ended the run early
    std::vector<std::filesystem::path> outputs;  // files written into the output folder
    bool passed() const { return failures.empty(); }
};

// Called after each step (the shell prints results as they come).
using StepObserver = std::function<void(const Step&, const StepOutcome&)>;

RunReport runScript(const Script& script, Session& session, const StepObserver& observer = {});

// Runs one step, catching nothing: steps report failures in their outcome.
StepOutcome runStep(const Step& step, Session& session);

// Writes the session's event log as "events.log" into the output folder; false when it cannot.
bool writeEventLog(Session& session, std::filesystem::path* written = nullptr);

}  // namespace sim
