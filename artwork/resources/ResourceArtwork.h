#pragma once
// The image and sound files of the add-on's resource folder, drawn by our own code at build
// time (tool lumora_make_resources). Names are relative to the resource folder.

#include <string>
#include <vector>

#include "platform/graphics/Image.h"

namespace lumora::artwork {

struct ResourceImage {
    std::string relativeName;  // e.g. "Buttons/overlayHorizonBtn@2x.png"
    int pixelWidth;
    int pixelHeight;
};

// Every image of the resource folder with its pixel size (all at scale 2).
const std::vector<ResourceImage>& resourceImages();
// Draws one of them; null for an unknown name.
platform::ImageRef renderResourceImage(const std::string& relativeName);
// Writes every image and "Sounds/count.aif" below folder, creating sub-folders. Returns false
// (and says which file in *error when given) on the first failure.
bool writeResources(const std::string& folder, std::string* error = nullptr);

}  // namespace lumora::artwork
