#pragma once
// `lumora3 shell`: scenario commands typed one at a time, each run at once.

#include <filesystem>
#include <string>

struct ShellOptions {
    std::filesystem::path out = "out/shell";
    std::string device;
    bool keepRoot = false;
};

int runShell(const ShellOptions& options);
