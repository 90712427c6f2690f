#pragma once
// `lumora3 serve` hands over to the lumora3-serve program beside this one (same arguments, same
// process), which holds the HTTP server: lumora3 itself does not load it.

namespace CLI {
class App;
}

// Lists `serve` among the commands, for --help.
void addServeLauncher(CLI::App& app);

// Whether the command line asks for `serve`.
bool isServeCommand(int argc, char** argv);

// Runs lumora3-serve in this process's place; returns (with a message) only when it cannot.
int runServe(int argc, char** argv);
