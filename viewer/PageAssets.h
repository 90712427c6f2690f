#pragma once
// The page's own files (viewer/page), built into the executable so that the server reads
// nothing from disk for them and the page fetches nothing from elsewhere.

#include <string>
#include <string_view>
#include <vector>

namespace viewer {

struct PageAsset {
    std::string name;        // "index.html"
    std::string_view bytes;  // static storage
};

const std::vector<PageAsset>& pageAssets();

}  // namespace viewer
