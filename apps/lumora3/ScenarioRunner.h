#pragma once
// Running scenario files from the command line: parse them all first (a bad line anywhere
// means nothing runs), then run each in its own session and output folder, and print a summary.

#include <filesystem>
#include <string>
#include <vector>

#include "sim/Runner.h"

struct ScenarioRunOptions {
    std::filesystem::path out = "out";
    std::string device;     // empty: the scenario's own `device` line or the default phone
    bool keepRoot = false;  // reuse the device root left by an earlier run
    bool skipSlow = false;  // leave out scenarios marked "# slow"
    bool progress = true;   // progress line on a terminal
};

struct ScenarioRunResult {
    std::filesystem::path folder;  // the scenario's output folder
    std::filesystem::path root;    // its device root
    sim::RunReport report;
};

// Exit status of a run in which every scenario was left out (all marked slow, --skip-slow):
// the status test drivers read as "skipped".
inline constexpr int kAllScenariosSkipped = 77;

// Exit status: 0 when every expectation held, 1 when any failed, 2 when a scenario could not
// be read or parsed or a session could not start, kAllScenariosSkipped when none ran because
// all were left out. `results` receives one entry per run.
int runScenarioFiles(const std::vector<std::string>& files, const ScenarioRunOptions& options,
                     std::vector<ScenarioRunResult>* results = nullptr);

// The folder a scenario's outputs go to: OUT/<file stem>.
std::filesystem::path scenarioFolder(const std::filesystem::path& out, const std::string& file);
