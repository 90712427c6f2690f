#include "sim/Runner.h"

#include <fstream>

#include "sim/Session.h"

namespace sim {

std::string Failure::describe() const {
    return where.describe() + ": " + line + ": " + message;
}

StepOutcome runStep(const Step& step, Session& session) {
    if (!step.run) return StepOutcome::failure("nothing to run");
    return step.run(session);
}

RunReport runScript(const Script& script, Session& session, const StepObserver& observer) {
    RunReport report;
    report.file = script.file;
    for (const Step& step : script.steps) {
        const StepOutcome outcome = runStep(step, session);
        ++report.stepsRun;
        if (step.isExpectation) ++report.expectations;
        if (outcome.ok && !step.isExpectation && !outcome.message.empty() &&
            (step.text.rfind("screenshot", 0) == 0 || step.text.rfind("dump", 0) == 0 ||
             step.text.rfind("log", 0) == 0)) {
            report.outputs.emplace_back(outcome.message);
        }
        if (observer) observer(step, outcome);
        if (outcome.ok) continue;
        report.failures.push_back({step.where, step.text, outcome.message, !step.isExpectation});
        if (!step.isExpectation) {
            report.stopped = true;
            break;
        }
    }
    std::filesystem::path log;
    if (writeEventLog(session, &log)) report.outputs.push_back(log);
    return report;
}

bool writeEventLog(Session& session, std::filesystem::path* written) {
    std::string text;
    for (const auto& entry : session.events()) text += entry.line() + "\n";
    std::string error;
    const auto path = session.writeOutput(
        "events.log",
        [&](const std::filesystem::path& temp) {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << text;
            out.flush();
            return static_cast<bool>(out);
        },
        error);
    if (path && written != nullptr) *written = *path;
    return path.has_value();
}

}  // namespace sim
