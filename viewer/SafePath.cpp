#include "viewer/SafePath.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace viewer {

namespace {

// Whether `inner` is `outer` or lies below it (both canonical).
bool isWithin(const fs::path& inner, const fs::path& outer) {
    const auto [o, i] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return o == outer.end();
}

}  // namespace

std::optional<fs::path> resolveInside(const fs::path& folder, const std::string& relative,
                                      std::string& why) {
    if (relative.empty() || relative.size() > 1024) {
        why = "no such file";
        return std::nullopt;
    }
    if (relative.front() == '/' || relative.find('\\') != std::string::npos ||
        relative.find('\0') != std::string::npos) {
        why = "paths are relative to the output folder, with '/' between names";
        return std::nullopt;
    }
    // Segment by segment: no "." or "..", no hidden or half-written files, no empty names.
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        const std::string segment = relative.substr(start, end - start);
        if (segment.empty() || segment.front() == '.') {
            why = "the path leaves the output folder or names a hidden file";
            return std::nullopt;
        }
        for (const char c : segment) {
            if (static_cast<unsigned char>(c) < 0x20) {
                why = "a control character in the path";
                return std::nullopt;
            }
        }
        start = end + 1;
    }
    std::error_code ec;
    const fs::path base = fs::canonical(folder, ec);
    if (ec) {
        why = "the output folder is missing";
        return std::nullopt;
    }
    // Symbolic links are followed here, so a link that points elsewhere ends outside `base`.
    const fs::path target = fs::canonical(base / relative, ec);
    if (ec || !isWithin(target, base)) {
        why = ec ? "no such file" : "the path leaves the output folder";
        return std::nullopt;
    }
    if (!fs::is_regular_file(target, ec)) {
        why = "not a file";
        return std::nullopt;
    }
    return target;
}

std::string contentTypeFor(const fs::path& file) {
    static const std::map<std::string, std::string> kTypes{
        {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},
        {".png", "image/png"},
        {".html", "text/html; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".json", "application/json"},
        {".scn", "text/plain; charset=utf-8"},
        {".txt", "text/plain; charset=utf-8"},
        {".log", "text/plain; charset=utf-8"},
        {".plist", "text/plain; charset=utf-8"},
    };
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto it = kTypes.find(ext);
    return it == kTypes.end() ? "application/octet-stream" : it->second;
}

}  // namespace viewer
