#pragma once
// Where the simulator finds what the build and the source tree provide: the device profiles,
// the translations, the generated resource folder and the scenario scripts.
//
// Each is looked up in order: an environment variable, the working directory and its parents,
// the folders around the running executable (a build folder inside the source tree, or an
// installed "bin/../share/lumora3"), and finally the folders this build was configured with.
// The first existing folder wins; an empty path means none was found.

#include <filesystem>
#include <string>
#include <vector>

namespace sim {

// data/devices ($LUMORA_DEVICES_DIR).
std::filesystem::path devicesFolder();
// data/strings, holding <lang>.lproj/Localizable.strings ($LUMORA_STRINGS_DIR).
std::filesystem::path stringsFolder();
// The resource folder drawn by the build: <build>/resources/Lumora3 ($LUMORA_RESOURCES_DIR).
std::filesystem::path resourcesFolder();
// scenarios/ ($LUMORA_SCENARIOS_DIR).
std::filesystem::path scenariosFolder();

// The candidates tried for a folder, in order, before the existence check (for messages).
std::vector<std::filesystem::path> candidateFolders(const std::string& envVariable,
                                                    const std::filesystem::path& relative,
                                                    const std::filesystem::path& builtIn);

}  // namespace sim
