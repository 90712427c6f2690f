#include "apps/lumora3/Shell.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "sim/Profiles.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/scenario/CommandTable.h"
#include "sim/scenario/ElementRegistry.h"

namespace {

void printHelp(const std::string& topic) {
    if (topic == "expect") {
        for (const auto* spec : sim::ExpectTable::shared().all())
            std::printf("  expect %s\n      %s\n", spec->usage.c_str(), spec->summary.c_str());
        return;
    }
    if (topic == "elements") {
        for (const auto* e : sim::ElementRegistry::shared().all())
            std::printf("  %-14s %s\n", e->name.c_str(), e->description.c_str());
        return;
    }
    if (!topic.empty()) {
        const auto* spec = sim::CommandTable::shared().find(topic);
        if (spec == nullptr) {
            std::printf("no command \"%s\"\n", topic.c_str());
            return;
        }
        std::printf("  %s\n      %s\n", spec->usage.c_str(), spec->summary.c_str());
        return;
    }
    std::string group;
    for (const char* g :
         {"set-up", "apps", "host", "touches", "device", "time", "output", "checks"}) {
        std::printf("%s:\n", g);
        for (const auto* spec : sim::CommandTable::shared().all()) {
            if (spec->group == g)
                std::printf("  %-40s %s\n", spec->usage.c_str(), spec->summary.c_str());
        }
    }
    std::printf(
        "Views are named by element (`help elements`), Class, Class[tag], \"text\" or "
        "(x,y).\n`help expect` lists the checks; `quit` ends the shell.\n");
}

}  // namespace

int runShell(const ShellOptions& options) {
    std::string error;
    const auto* profiles = sim::defaultProfiles(error);
    if (profiles == nullptr) {
        std::fprintf(stderr, "lumora3 shell: %s\n", error.c_str());
        return 2;
    }
    sim::SessionOptions so;
    so.outputFolder = options.out;
    so.rootFolder = options.out / "device";
    so.reuseRoot = options.keepRoot;
    if (!options.device.empty()) so.model = options.device;
    so.progress = true;
    auto session = sim::Session::create(std::move(so), *profiles, error);
    if (!session) {
        std::fprintf(stderr, "lumora3 shell: %s\n", error.c_str());
        return 2;
    }
    const bool interactive = ::isatty(STDIN_FILENO) == 1;
    if (interactive) {
        std::printf("lumora3 shell on %s, output in %s (type `help`)\n",
                    session->profile().name.c_str(), options.out.c_str());
    }
    int failures = 0;
    int lineNumber = 0;
    std::string line;
    while (true) {
        if (interactive) {
            std::printf("lumora3> ");
            std::fflush(stdout);
        }
        if (!std::getline(std::cin, line)) break;
        ++lineNumber;
        const auto first = line.find_first_not_of(" \t");
        const std::string trimmed = first == std::string::npos ? "" : line.substr(first);
        if (trimmed == "quit" || trimmed == "exit") break;
        if (trimmed == "help" || trimmed.rfind("help ", 0) == 0) {
            printHelp(trimmed.size() > 5 ? trimmed.substr(5) : "");
            continue;
        }
        const sim::SourceLocation where{"<shell>", lineNumber};
        auto step = sim::parseLine(line, where, error);
        if (!step) {
            if (!error.empty()) {
                std::printf("%s: %s\n", where.describe().c_str(), error.c_str());
                ++failures;
            }
            continue;
        }
        const auto outcome = sim::runStep(*step, *session);
        if (!outcome.ok) {
            ++failures;
            std::printf("%s: %s\n", where.describe().c_str(), outcome.message.c_str());
        } else if (interactive) {
            std::printf("ok%s%s\n", outcome.message.empty() ? "" : ": ", outcome.message.c_str());
        }
        std::fflush(stdout);
    }
    sim::writeEventLog(*session);
    if (interactive) std::printf("\n");
    return failures == 0 ? 0 : 1;
}
