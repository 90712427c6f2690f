#pragma once
// The simulated phone's file system on disk, and installing the Lumora3 package into it.
//
// A root made by the simulator carries a marker file; only such a folder is ever cleared. An
// empty or missing folder becomes a new root; any other folder is refused, so that a mistyped
// path can never make the tool delete someone's files.
//
// Installing lays out what the package would: the injection filter of the add-on, the settings
// bundle with its translations, and the resource folder drawn by the build.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

namespace sim {

inline constexpr const char* kRootMarker = ".lumora3-device-root";
inline constexpr const char* kAddOnFilterPath =
    "/Library/MobileSubstrate/DynamicLibraries/Lumora3.plist";
inline constexpr const char* kSettingsBundlePath = "/Library/PreferenceBundles/LU3_Prefs.bundle";
inline constexpr const char* kResourceFolderPath = "/Library/Application Support/Lumora3";
inline constexpr const char* kGlobalPreferencesPath =
    "/var/mobile/Library/Preferences/.GlobalPreferences.plist";
inline constexpr const char* kPhotoFolderPath = "/var/mobile/Media/DCIM";

struct InstallSources {
    std::filesystem::path strings;    // folder of <lang>.lproj/Localizable.strings
    std::filesystem::path resources;  // the generated Lumora3 resource folder
    // Found through sim/Locations; empty paths when a folder is missing.
    static InstallSources find();
};

class DeviceRoot {
public:
    DeviceRoot(const DeviceRoot&) = delete;
    DeviceRoot& operator=(const DeviceRoot&) = delete;

    // Opens `folder` as a root: keeps an existing simulator root when `reuse`, else starts it
    // clean. Null with `error` set when the folder is not one the simulator may use.
    static std::unique_ptr<DeviceRoot> open(const std::filesystem::path& folder, bool reuse,
                                            std::string& error);

    const std::filesystem::path& path() const { return path_; }
    // Whether open() found an earlier root and kept it.
    bool reused() const { return reused_; }

    // Makes this folder the platform's "/" and lays out the standard folders.
    bool activate(std::string& error);
    // Installs the package (see above) and registers the add-on with the injection framework.
    bool install(const InstallSources& sources, std::string& error);

    // Sets the preferred language (and stores it as the phone does in the global preferences).
    // Codes look like "en", "fr", "zh-Hans".
    static bool isLanguageCode(const std::string& code);
    bool setLanguage(const std::string& code, std::string& error);

    // The preferences file of the add-on, as a dictionary; nullopt when missing or unreadable.
    std::optional<ns::Dictionary> readPreferences() const;
    bool writePreferences(const ns::Dictionary& preferences, std::string& error);

    // Host paths of what the phone holds.
    std::filesystem::path preferencesFile() const;
    std::filesystem::path photoFolder() const;
    // Every saved photo (*.JPG under DCIM, any depth), sorted by path.
    std::vector<std::filesystem::path> photos() const;

private:
    DeviceRoot(std::filesystem::path path, bool reused) : path_(std::move(path)), reused_(reused) {}
    std::filesystem::path path_;
    bool reused_ = false;
};

}  // namespace sim
