#include "apps/lumora3/ServeLauncher.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

void addServeLauncher(CLI::App& app) {
    app.add_subcommand("serve",
                       "The simulated phone, live in a web browser (`lumora3 serve --help` for "
                       "its options)")
        ->allow_extras();
}

bool isServeCommand(int argc, char** argv) {
    return argc > 1 && std::string_view(argv[1]) == "serve";
}

int runServe(int, char** argv) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto server =
        (ec ? std::filesystem::path(argv[0]) : self).parent_path() / "lumora3-serve";
    execv(server.c_str(), argv);
    std::fprintf(stderr, "lumora3 serve: cannot start %s: %s\n", server.c_str(),
                 std::strerror(errno));
    return 2;
}
