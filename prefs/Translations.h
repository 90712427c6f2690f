#pragma once
// The bundle's texts: the strings file of the first preferred language when it is exactly one
// of the bundle's translations ("zh-Hans", "zh-Hant", "fr", "ja"), else "Base". The file is
// found at the bundle's absolute path in the device, whatever the working directory.

#include <string>

namespace prefs {

inline constexpr const char* kBundlePath = "/Library/PreferenceBundles/LU3_Prefs.bundle";

// The language folder for a preferred language.
std::string translationFolderFor(const std::string& language);
// Loads the texts once per process (nothing when they are loaded already).
void InitTranslationDictionary();
// The text of a key, or "<key> needs translation!" when there is none.
std::string GetResource(const std::string& key);

}  // namespace prefs
