#include "sim/DeviceRoot.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "core/Preferences.h"
#include "core/Startup.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "prefs/LU_PreferencesController.h"
#include "sim/Locations.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

bool isEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_empty(folder, ec) && !ec;
}

// Copies a folder tree, replacing files that exist; skips anything that is not a regular file
// or folder (links out of the tree are not followed).
bool copyTree(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    fs::create_directories(to, ec);
    for (auto it = fs::recursive_directory_iterator(from, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = fs::relative(it->path(), from, ec);
        if (ec) break;
        const auto status = it->symlink_status(ec);
        if (ec) break;
        if (fs::is_directory(status)) {
            fs::create_directories(to / relative, ec);
        } else if (fs::is_regular_file(status)) {
            fs::copy_file(it->path(), to / relative, fs::copy_options::overwrite_existing, ec);
        }
        if (ec) break;
    }
    if (ec) {
        error = "cannot copy " + from.string() + " into the device root: " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

InstallSources InstallSources::find() {
    return {stringsFolder(), resourcesFolder()};
}

std::unique_ptr<DeviceRoot> DeviceRoot::open(const fs::path& folder, bool reuse,
                                             std::string& error) {
    std::error_code ec;
    if (folder.empty()) {
        error = "no device root folder given";
        return nullptr;
    }
    const fs::path path = fs::absolute(folder, ec).lexically_normal();
    if (ec) {
        error = "bad device root path " + folder.string();
        return nullptr;
    }
    const auto status = fs::symlink_status(path, ec);
    const bool exists = !ec && fs::exists(status);
    if (exists && !fs::is_directory(status)) {
        error = path.string() + " exists and is not a folder";
        return nullptr;
    }
    const bool marked = exists && fs::is_regular_file(path / kRootMarker, ec);
    if (exists && !marked && !isEmptyFolder(path)) {
        error = path.string() + " is not a device root made by lumora3 (no " +
                std::string(kRootMarker) + "); refusing to use it";
        return nullptr;
    }
    bool reused = false;
    if (marked && reuse) {
        reused = true;
    } else if (marked) {
        // Only the contents go, so a root given as a mount point or shared folder stays.
        for (const auto& entry : fs::directory_iterator(path, ec)) {
            fs::remove_all(entry.path(), ec);
            if (ec) break;
        }
        if (ec) {
            error = "cannot clear the device root " + path.string() + ": " + ec.message();
            return nullptr;
        }
    }
    fs::create_directories(path, ec);
    std::ofstream marker(path / kRootMarker, std::ios::app);
    if (ec || !marker) {
        error = "cannot create the device root " + path.string();
        return nullptr;
    }
    return std::unique_ptr<DeviceRoot>(new DeviceRoot(path, reused));
}

bool DeviceRoot::activate(std::string& error) {
    auto& files = ns::FileSystem::shared();
    files.setRoot(path_);
    if (!files.layOutRoot()) {
        error = "cannot lay out the device root " + path_.string();
        return false;
    }
    files.createDirectory(kPhotoFolderPath, true);
    return true;
}

bool DeviceRoot::install(const InstallSources& sources, std::string& error) {
    auto& files = ns::FileSystem::shared();
    // The injection framework's filter: the add-on loads into the camera app only.
    const ns::Value filter(ns::Dictionary{
        {"Filter", ns::Dictionary{{"Bundles", ns::Array{lumora::kCameraBundleIdentifier}}}}});
    files.createDirectory("/Library/MobileSubstrate/DynamicLibraries", true);
    if (!ns::writePropertyListAtomically(filter, kAddOnFilterPath)) {
        error = "cannot write the add-on filter into the device root";
        return false;
    }

    if (sources.strings.empty()) {
        error = "cannot find the translations (data/strings); set LUMORA_STRINGS_DIR";
        return false;
    }
    std::error_code ec;
    const fs::path bundle = files.resolve(kSettingsBundlePath);
    for (const auto& entry : fs::directory_iterator(sources.strings, ec)) {
        if (entry.path().extension() != ".lproj") continue;
        const fs::path strings = entry.path() / "Localizable.strings";
        if (!fs::is_regular_file(strings, ec)) continue;
        fs::create_directories(bundle / entry.path().filename(), ec);
        fs::copy_file(strings, bundle / entry.path().filename() / "Localizable.strings",
                      fs::copy_options::overwrite_existing, ec);
        if (ec) break;
    }
    if (ec) {
        error = "cannot install the translations: " + ec.message();
        return false;
    }

    if (sources.resources.empty()) {
        error =
            "cannot find the generated resource folder (build/resources/Lumora3); build "
            "the lumora_resources target or set LUMORA_RESOURCES_DIR";
        return false;
    }
    if (!copyTree(sources.resources, files.resolve(kResourceFolderPath), error)) return false;

    lumora::registerAddOn();
    prefs::registerPrefsBundle();
    return true;
}

bool DeviceRoot::isLanguageCode(const std::string& code) {
    // A language, then optional script or region subtags: "en", "zh-Hans", "pt-BR".
    std::size_t i = 0;
    while (i < code.size() && std::isalpha(static_cast<unsigned char>(code[i]))) ++i;
    if (i < 2 || i > 3) return false;
    while (i < code.size()) {
        if (code[i] != '-' && code[i] != '_') return false;
        std::size_t n = ++i;
        while (i < code.size() && std::isalnum(static_cast<unsigned char>(code[i]))) ++i;
        if (i - n < 2 || i - n > 8) return false;
    }
    return true;
}

bool DeviceRoot::setLanguage(const std::string& code, std::string& error) {
    if (!isLanguageCode(code)) {
        error = "malformed language code \"" + code + "\" (expected e.g. en, fr, zh-Hans)";
        return false;
    }
    std::vector<std::string> languages{code};
    if (code != "en") languages.push_back("en");
    NSLocale::setPreferredLanguages(languages);
    ns::Array list;
    for (const auto& l : languages) list.emplace_back(l);
    auto global = ns::readDictionaryFile(kGlobalPreferencesPath).value_or(ns::Dictionary{});
    global.set("AppleLanguages", ns::Value(list));
    if (!ns::writePropertyListAtomically(ns::Value(global), kGlobalPreferencesPath)) {
        error = "cannot write the global preferences in the device root";
        return false;
    }
    return true;
}

std::optional<ns::Dictionary> DeviceRoot::readPreferences() const {
    return ns::readDictionaryFile(lumora::preferencesPath());
}

bool DeviceRoot::writePreferences(const ns::Dictionary& preferences, std::string& error) {
    if (!ns::writePropertyListAtomically(ns::Value(preferences), lumora::preferencesPath())) {
        error = "cannot write the preferences file in the device root";
        return false;
    }
    return true;
}

fs::path DeviceRoot::preferencesFile() const {
    return ns::FileSystem::shared().resolve(lumora::preferencesPath());
}

fs::path DeviceRoot::photoFolder() const {
    return ns::FileSystem::shared().resolve(kPhotoFolderPath);
}

std::vector<fs::path> DeviceRoot::photos() const {
    std::vector<fs::path> out;
    std::error_code ec;
    const fs::path folder = photoFolder();
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if ((ext == ".JPG" || ext == ".JPEG") && it->is_regular_file(ec)) out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace sim
