#include "prefs/PreferencesFile.h"

#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"

namespace prefs {

std::optional<ns::Dictionary> readPreferences() {
    return ns::readDictionaryFile(kPreferencesPath);
}

std::optional<ns::Dictionary> storePreferences(const PreferenceChanges& changes) {
    ns::Dictionary dict = readPreferences().value_or(ns::Dictionary{});
    for (const auto& [key, value] : changes) dict.set(key, value);
    auto& files = ns::FileSystem::shared();
    bool isDirectory = false;
    if (!files.fileExists(kPreferencesFolder, &isDirectory) || !isDirectory) {
        files.createDirectory(kPreferencesFolder, true);
    }
    if (!ns::writePropertyListAtomically(ns::Value(dict), kPreferencesPath)) return std::nullopt;
    return dict;
}

}  // namespace prefs
