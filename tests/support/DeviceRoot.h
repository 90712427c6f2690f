#pragma once
// A temporary device root for tests of the add-on, with the translations it reads.

#include <filesystem>
#include <string>

namespace testsupport {

// Makes a new folder `<prefix>-XXXXXX` in the system's temporary folder, lays it out as a
// device root and makes it the file system's root. Returns an empty path when either fails.
std::filesystem::path makeDeviceRoot(const std::string& prefix);

// Removes a folder made by makeDeviceRoot and all in it; an empty path does nothing.
void removeDeviceRoot(const std::filesystem::path& root);

// Copies every data/strings/<language>.lproj/Localizable.strings of the source tree into the
// settings bundle of the current device root, where the add-on looks for its translations.
void installTranslations();
// Draws the add-on's resource images into the resource folder of the current device root.
bool installResources();

}  // namespace testsupport
