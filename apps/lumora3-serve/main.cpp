// lumora3-serve: `lumora3 serve`, the simulated phone live in a web browser. A program of its
// own, which `lumora3 serve` runs in its place, so that the HTTP server and the TLS libraries it
// brings load only when a viewer is wanted, not for every photo the tool rewrites.
#include <CLI/CLI.hpp>

#include "apps/lumora3-serve/ServeCommand.h"

int main(int argc, char** argv) {
    CLI::App app{"lumora3 serve - the simulated phone, live in a web browser"};
    app.require_subcommand(1);
    addServeCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
