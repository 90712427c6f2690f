#pragma once
// The device root: one folder on the host machine that holds the simulated phone's file system.
// Every phone path is resolved inside it; nothing outside the root is read or written.
//
// Paths are normalised lexically: "." and ".." are applied as text and ".." stops at the root.
// Relative paths resolve against the phone's "/" (the working directory of every process).
// Symbolic links are followed only when their target, resolved the same way, stays inside the
// root; "/User" is the phone's link to "/var/mobile" and is resolved by this class itself.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ns {

class FileSystem {
public:
    static FileSystem& shared();

    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    // Larger files are not read.
    static constexpr std::uintmax_t kMaxReadBytes = 256u << 20;

    // Sets the host folder that is the phone's "/" (made absolute; created when missing).
    // Until set, the root is a folder under the system temporary directory, created by
    // layOutRoot().
    void setRoot(std::filesystem::path root);
    std::filesystem::path root() const;
    // Creates the standard layout: var/mobile, the relative link User -> var/mobile,
    // var/mobile/Library/Preferences, Library, tmp. Returns false when it cannot.
    bool layOutRoot();

    // The host path of a phone path; always inside the root.
    std::filesystem::path resolve(const std::string& phonePath) const;
    // The phone path ("/a/b") of a normalised phone path (no "..", no ".").
    static std::string normalise(const std::string& phonePath);

    bool fileExists(const std::string& phonePath, bool* isDirectory = nullptr) const;
    bool createDirectory(const std::string& phonePath, bool withIntermediates) const;
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& phonePath) const;
    // Temporary file in the same folder, flushed, renamed over the old. False on failure with
    // the old file left as it was.
    bool writeFileAtomically(const std::string& phonePath,
                             const std::vector<std::uint8_t>& bytes) const;
    // Removes a file or a folder with its contents. False when nothing was removed.
    bool removeItem(const std::string& phonePath) const;
    // Names (not paths) of the entries of a folder, sorted; nullopt when it is not a folder.
    std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& phonePath) const;

private:
    FileSystem();
    // Null when the path runs through a loop of links.
    std::optional<std::filesystem::path> resolveChecked(const std::string& phonePath) const;
    mutable std::mutex mutex_;
    std::filesystem::path root_;
};

// Removes, from `folder`, temporary files named "<prefix><pid>-…" that a writer left when it died
// mid-write: those whose process is gone, or older than any write takes.
void removeStaleTemps(const std::filesystem::path& folder, const std::string& prefix);

}  // namespace ns
