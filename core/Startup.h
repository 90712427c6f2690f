#pragma once
// The add-on's entry: the constructor the injection framework runs in every app process.

#include <string>

namespace lumora {

inline constexpr const char* kAddOnName = "Lumora3";
inline constexpr const char* kCameraBundleIdentifier = "com.apple.camera";
// Relative to the process's working directory, the phone's "/".
inline constexpr const char* kTranslationsBundlePath = "Library/PreferenceBundles/LU3_Prefs.bundle";

// The .lproj folder for a preferred language: the language itself for the four translated ones
// (exact match), else "Base".
std::string translationFolderFor(const std::string& language);
// "Library/PreferenceBundles/LU3_Prefs.bundle/<folder>.lproj/Localizable.strings".
std::string translationsPathFor(const std::string& folder);

// Installs Lumora3Initialize with the injection framework (and resets the add-on's state at
// every process launch and termination, as a freshly loaded library starts with zeroed globals).
void registerAddOn();

}  // namespace lumora

// The library constructor: loads the translations, sets the device flags, and inside the camera
// app seeds the state, loads the preferences and, when the add-on is enabled, replaces the host
// methods.
void Lumora3Initialize();
