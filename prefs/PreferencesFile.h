#pragma once
// The add-on's preferences file as the settings screens write it. Each store reads the file
// afresh and changes only the keys it is given, so keys the add-on wrote meanwhile survive;
// the folder is created when missing and the file written atomically (a temporary file renamed
// over the old one), so a failed write leaves the old file whole.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/Value.h"

namespace prefs {

inline constexpr const char* kPreferencesPath =
    "/var/mobile/Library/Preferences/com.orvane.Lumora3.plist";
inline constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences";

using PreferenceChanges = std::vector<std::pair<std::string, ns::Value>>;

// The file's dictionary; nullopt when there is no file or it is not a dictionary.
std::optional<ns::Dictionary> readPreferences();

// Applies `changes` to the file as it stands now (a missing or damaged file starts empty) and
// writes it. Returns the dictionary written, or nullopt when nothing could be written.
std::optional<ns::Dictionary> storePreferences(const PreferenceChanges& changes);

}  // namespace prefs
