#pragma once
// Resolving a requested path inside one folder. A request names a file relative to the folder;
// whatever it holds (".." segments, an absolute path, backslashes, hidden files, a symbolic
// link that leads out of the folder), the answer is either a regular file inside the folder or
// nothing.

#include <filesystem>
#include <optional>
#include <string>

namespace viewer {

// The file `relative` names inside `folder` (both after URL decoding), or nullopt with `why`.
std::optional<std::filesystem::path> resolveInside(const std::filesystem::path& folder,
                                                   const std::string& relative, std::string& why);

// The media type served for a file name ("image/jpeg", "text/plain; charset=utf-8", ...).
std::string contentTypeFor(const std::filesystem::path& file);

}  // namespace viewer
