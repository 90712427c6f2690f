#include "fuzz/targets/FuzzDeviceRoot.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "platform/foundation/FileSystem.h"

namespace lumora::fuzz {
namespace {

std::filesystem::path& rootPath() {
    static std::filesystem::path path;
    return path;
}

void removeRoot() {
    std::error_code ignored;
    if (!rootPath().empty()) std::filesystem::remove_all(rootPath(), ignored);
}

}  // namespace

void ensureDeviceRoot() {
    if (!rootPath().empty()) {
        // Others (the replay test's neighbours) may have pointed the file system elsewhere.
        if (ns::FileSystem::shared().root() != rootPath())
            ns::FileSystem::shared().setRoot(rootPath());
        return;
    }
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "lumora-fuzz-XXXXXX").string();
    fuzzCheck(::mkdtemp(pattern.data()) != nullptr, "cannot make a device root");
    rootPath() = pattern;
    std::atexit(removeRoot);
    auto& fs = ns::FileSystem::shared();
    fs.setRoot(rootPath());
    fuzzCheck(fs.layOutRoot(), "cannot lay out the device root");
}

}  // namespace lumora::fuzz
