// lumora3: runs the camera with the Lumora3 add-on in simulation.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "apps/lumora3/GalleryCommand.h"
#include "apps/lumora3/PhotoCommand.h"
#include "apps/lumora3/ServeLauncher.h"
#include "apps/lumora3/SimCommands.h"

int main(int argc, char** argv) {
    if (isServeCommand(argc, argv)) return runServe(argc, argv);
    CLI::App app{"lumora3 - the Lumora3 camera add-on in simulation"};
    app.require_subcommand(1);
    addSimCommands(app);
    addPhotoCommand(app);
    addGalleryCommand(app);
    addServeLauncher(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
