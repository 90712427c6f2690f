#pragma once
// The simulator's commands: `run`, `shell`, `devices` and `demo`.

namespace CLI {
class App;
}

void addSimCommands(CLI::App& app);
