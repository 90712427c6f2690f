#include "sim/Locations.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace sim {

namespace {

#ifdef LUMORA_SOURCE_DIR
const fs::path kSourceDir = LUMORA_SOURCE_DIR;
#else
const fs::path kSourceDir;
#endif
#ifdef LUMORA_RESOURCE_DIR
const fs::path kResourceDir = LUMORA_RESOURCE_DIR;
#else
const fs::path kResourceDir;
#endif

fs::path executableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

// The folder and its ancestors, nearest first.
void addWithParents(std::vector<fs::path>& out, fs::path folder, const fs::path& relative) {
    while (!folder.empty()) {
        out.push_back(folder / relative);
        if (folder == folder.root_path()) break;
        folder = folder.parent_path();
    }
}

fs::path firstExisting(const std::vector<fs::path>& candidates) {
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (!candidate.empty() && fs::is_directory(candidate, ec)) return candidate;
    }
    return {};
}

}  // namespace

std::vector<fs::path> candidateFolders(const std::string& envVariable, const fs::path& relative,
                                       const fs::path& builtIn) {
    std::vector<fs::path> out;
    if (const char* env = std::getenv(envVariable.c_str()); env != nullptr && *env != '\0') {
        // An explicit choice is the only candidate: a wrong one must be reported, not bypassed.
        out.emplace_back(env);
        return out;
    }
    std::error_code ec;
    addWithParents(out, fs::current_path(ec), relative);
    const fs::path exe = executableFolder();
    if (!exe.empty()) {
        addWithParents(out, exe, relative);
        out.push_back(exe.parent_path() / "share" / "lumora3" / relative);
    }
    if (!builtIn.empty()) out.push_back(builtIn);
    return out;
}

fs::path devicesFolder() {
    return firstExisting(
        candidateFolders("LUMORA_DEVICES_DIR", "data/devices",
                         kSourceDir.empty() ? fs::path() : kSourceDir / "data/devices"));
}

fs::path stringsFolder() {
    return firstExisting(
        candidateFolders("LUMORA_STRINGS_DIR", "data/strings",
                         kSourceDir.empty() ? fs::path() : kSourceDir / "data/strings"));
}

fs::path resourcesFolder() {
    // The build writes the folder beside the executable (build/resources/Lumora3); an installed
    // copy lives in share/lumora3/resources/Lumora3.
    std::vector<fs::path> candidates;
    if (const char* env = std::getenv("LUMORA_RESOURCES_DIR"); env != nullptr && *env != '\0') {
        candidates.emplace_back(env);
    } else {
        const fs::path exe = executableFolder();
        if (!exe.empty()) {
            candidates.push_back(exe / "resources" / "Lumora3");
            candidates.push_back(exe.parent_path() / "resources" / "Lumora3");
            candidates.push_back(exe.parent_path() / "share" / "lumora3" / "resources" / "Lumora3");
        }
        if (!kResourceDir.empty()) candidates.push_back(kResourceDir);
    }
    return firstExisting(candidates);
}

fs::path scenariosFolder() {
    return firstExisting(
        candidateFolders("LUMORA_SCENARIOS_DIR", "scenarios",
                         kSourceDir.empty() ? fs::path() : kSourceDir / "scenarios"));
}

}  // namespace sim
