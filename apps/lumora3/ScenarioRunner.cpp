#include "apps/lumora3/ScenarioRunner.h"

#include <cstdio>
#include <set>

#include "sim/Profiles.h"
#include "sim/Session.h"

namespace fs = std::filesystem;

fs::path scenarioFolder(const fs::path& out, const std::string& file) {
    std::string stem = fs::path(file).stem().string();
    if (!sim::Session::isPlainFileName(stem)) stem = "scenario";
    return out / stem;
}

int runScenarioFiles(const std::vector<std::string>& files, const ScenarioRunOptions& options,
                     std::vector<ScenarioRunResult>* results) {
    std::vector<sim::ParseResult> parsed;
    bool bad = false;
    for (const auto& file : files) {
        parsed.push_back(sim::parseScriptFile(file));
        for (const auto& error : parsed.back().errors) {
            std::fprintf(stderr, "%s\n", error.describe().c_str());
            bad = true;
        }
    }
    if (bad) {
        std::fprintf(stderr, "lumora3 run: nothing was run\n");
        return 2;
    }
    std::string error;
    const auto* profiles = sim::defaultProfiles(error);
    if (profiles == nullptr) {
        std::fprintf(stderr, "lumora3 run: %s\n", error.c_str());
        return 2;
    }
    if (!options.device.empty() && profiles->find(options.device) == nullptr) {
        std::fprintf(stderr, "lumora3 run: unknown device \"%s\" (see `lumora3 devices`)\n",
                     options.device.c_str());
        return 2;
    }

    int status = 0;
    std::set<fs::path> used;
    std::size_t failedScenarios = 0;
    std::size_t skipped = 0;
    std::vector<std::string> summary;
    for (const auto& result : parsed) {
        const sim::Script& script = result.script;
        if (options.skipSlow && script.slow) {
            std::printf("SKIP %s (marked slow)\n", script.file.c_str());
            ++skipped;
            continue;
        }
        fs::path folder = scenarioFolder(options.out, script.file);
        for (int n = 2; used.count(folder) != 0; ++n)
            folder = scenarioFolder(options.out, script.file).string() + "-" + std::to_string(n);
        used.insert(folder);

        sim::SessionOptions so;
        so.outputFolder = folder;
        so.rootFolder = folder / "device";
        so.reuseRoot = options.keepRoot;
        if (!options.device.empty()) so.model = options.device;
        so.progress = options.progress;
        auto session = sim::Session::create(std::move(so), *profiles, error);
        if (!session) {
            std::fprintf(stderr, "%s: %s\n", script.file.c_str(), error.c_str());
            status = 2;
            continue;
        }
        ScenarioRunResult run;
        run.folder = folder;
        run.root = session->root().path();
        run.report = sim::runScript(script, *session);
        session.reset();

        const auto& r = run.report;
        if (r.passed()) {
            std::printf("PASS %s (%zu steps, %zu expectations)\n", r.file.c_str(), r.stepsRun,
                        r.expectations);
        } else {
            ++failedScenarios;
            if (status == 0) status = 1;
            std::printf("FAIL %s (%zu of %zu expectations failed%s)\n", r.file.c_str(),
                        r.failures.size() - (r.stopped ? 1 : 0), r.expectations,
                        r.stopped ? "; stopped at a failed step" : "");
            for (const auto& f : r.failures) summary.push_back(f.describe());
        }
        if (results != nullptr) results->push_back(std::move(run));
    }
    if (!summary.empty()) {
        std::printf("\n%zu scenario(s) failed:\n", failedScenarios);
        for (const auto& line : summary) std::printf("  %s\n", line.c_str());
    }
    std::fflush(stdout);
    if (status == 0 && skipped > 0 && skipped == parsed.size()) return kAllScenariosSkipped;
    return status;
}
