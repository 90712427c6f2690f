#include "apps/lumora3/GalleryCommand.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "sim/Gallery.h"

void addGalleryCommand(CLI::App& app) {
    auto output = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "gallery", "Render every drawn button, badge, label, blur and dial mark into one PNG");
    cmd->add_option("OUT", *output, "the PNG file to write")->required();
    cmd->callback([output]() {
        std::string error;
        if (!sim::writeGalleryPng(*output, error)) {
            std::fprintf(stderr, "lumora3 gallery: %s\n", error.c_str());
            throw CLI::RuntimeError(1);
        }
        std::printf("%s\n", output->c_str());
    });
}
