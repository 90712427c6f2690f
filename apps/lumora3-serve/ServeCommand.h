#pragma once
// `lumora3 serve`: the simulated phone, live in a web browser.

namespace CLI {
class App;
}

void addServeCommand(CLI::App& app);
