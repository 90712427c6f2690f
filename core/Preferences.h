#pragma once
// The preferences file shared with the settings bundle, and the resets of the state record.

#include "platform/foundation/NotificationCenter.h"

namespace lumora {

inline constexpr const char* kPreferencesFolder = "/User/Library/Preferences";
inline constexpr const char* kPreferencesFileName = "com.orvane.Lumora3.plist";
// Posting this Darwin notification makes a running camera reload the file.
inline constexpr const char* kSettingsChangedNotification = "com.orvane.Lumora_2.settingschanged";

// "/User/Library/Preferences/com.orvane.Lumora3.plist" (the settings bundle's
// "/var/mobile/Library/Preferences/..." is the same file through the device's /User link).
const char* preferencesPath();

// Start values of the variables the add-on seeds once per process.
void InitVariables();
// Called when the camera view stops its preview.
void clearVariables();

// Reads the file into `prefsDictionary` and the variables; a missing or unreadable file gives
// every key its default.
void LoadPrefs();
// Writes the remembered variables into the file atomically, keeping the keys it does not own.
// Returns false when the file could not be written (the in-memory state is kept).
bool savePrefs();

// The Darwin notification callback: reloads the file, ignoring its arguments.
void preferencesChanged(CFNotificationCenterRef center, void* observer, const char* name,
                        const void* object, const ns::Dictionary* userInfo);

}  // namespace lumora
