#pragma once
// `lumora3 photo`: un-mirror or date-stamp JPEG files (or every JPEG in a folder) with the
// add-on's photo rewriting, reading each file's orientation from its EXIF block.

namespace CLI {
class App;
}

void addPhotoCommand(CLI::App& app);
