#include "tests/support/DeviceRoot.h"

#include <cstdlib>

#include "artwork/resources/ResourceArtwork.h"
#include "platform/foundation/FileSystem.h"

namespace testsupport {
namespace fs = std::filesystem;

fs::path makeDeviceRoot(const std::string& prefix) {
    std::string templ = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(templ.data()) == nullptr) return {};
    const fs::path root = templ;
    ns::FileSystem::shared().setRoot(root);
    if (!ns::FileSystem::shared().layOutRoot()) {
        removeDeviceRoot(root);
        return {};
    }
    return root;
}

void removeDeviceRoot(const fs::path& root) {
    if (root.empty()) return;
    std::error_code ec;
    fs::remove_all(root, ec);
}

void installTranslations() {
    const fs::path source = fs::path(LUMORA_SOURCE_DIR) / "data" / "strings";
    const fs::path bundle =
        ns::FileSystem::shared().resolve("/Library/PreferenceBundles/LU3_Prefs.bundle");
    for (const auto& entry : fs::directory_iterator(source)) {
        if (entry.path().extension() != ".lproj") continue;
        fs::create_directories(bundle / entry.path().filename());
        fs::copy_file(entry.path() / "Localizable.strings",
                      bundle / entry.path().filename() / "Localizable.strings",
                      fs::copy_options::overwrite_existing);
    }
}

bool installResources() {
    return lumora::artwork::writeResources(
        ns::FileSystem::shared().resolve("/Library/Application Support/Lumora3").string());
}

}  // namespace testsupport
