#include "apps/lumora3/SimCommands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "apps/lumora3/Demo.h"
#include "apps/lumora3/Devices.h"
#include "apps/lumora3/ScenarioRunner.h"
#include "apps/lumora3/Shell.h"

namespace {

void exitWith(int code) {
    if (code != 0) throw CLI::RuntimeError(code);
}

void addRun(CLI::App& app) {
    struct Args {
        std::vector<std::string> files;
        ScenarioRunOptions options;
        std::string out = "out";
    };
    auto args = std::make_shared<Args>();
    auto* run = app.add_subcommand(
        "run", "Run scenario scripts; exit status 0 only when every expect held");
    run->add_option("SCENARIO", args->files, "Scenario files (.scn)")->required();
    run->add_option("--out", args->out,
                    "Output folder; each scenario writes into OUT/<name>/ (default: out)");
    run->add_option("--device", args->options.device,
                    "Start on this phone model (see `lumora3 devices`)");
    run->add_flag("--keep-root", args->options.keepRoot,
                  "Reuse the device root left in OUT/<name>/device by an earlier run");
    run->add_flag("--skip-slow", args->options.skipSlow, "Leave out scenarios marked # slow");
    run->callback([args] {
        args->options.out = args->out;
        exitWith(runScenarioFiles(args->files, args->options));
    });
}

void addShell(CLI::App& app) {
    auto options = std::make_shared<ShellOptions>();
    auto* shell = app.add_subcommand(
        "shell", "Type scenario commands interactively (`help` lists them, `quit` ends)");
    shell->add_option("--out", options->out, "Output folder (default: out/shell)");
    shell->add_option("--device", options->device, "Start on this phone model");
    shell->add_flag("--keep-root", options->keepRoot,
                    "Reuse the device root left in OUT/device by an earlier session");
    shell->callback([options] { exitWith(runShell(*options)); });
}

void addDevices(CLI::App& app) {
    auto* devices = app.add_subcommand("devices", "List the phone models with their formats");
    devices->callback([] { exitWith(listDevices()); });
}

void addDemo(CLI::App& app) {
    auto* demo = app.add_subcommand(
        "demo", "Run the built-in tour (scenarios/tour.scn) into ./out/ and show what it made");
    demo->callback([] { exitWith(runDemo()); });
}

}  // namespace

void addSimCommands(CLI::App& app) {
    addRun(app);
    addShell(app);
    addDevices(app);
    addDemo(app);
}
