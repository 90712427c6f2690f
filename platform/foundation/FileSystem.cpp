#include "platform/foundation/FileSystem.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace ns {

namespace {

// Splits a phone path into its components, dropping empty ones and ".".
std::deque<std::string> components(const std::string& path) {
    std::deque<std::string> out;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string part = path.substr(i, j - i);
        if (!part.empty() && part != ".") out.push_back(std::move(part));
        i = j + 1;
    }
    return out;
}

fs::path join(const fs::path& root, const std::vector<std::string>& parts) {
    fs::path p = root;
    for (const auto& part : parts) p /= part;
    return p;
}

// The temporary files of an atomic write are ".<name>.tmp-<pid>-<n>-<random>" beside the target.
std::string tempPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".tmp-";
}

// Whether a process runs: a killed one whose parent has not reaped it yet (a zombie) does not.
bool processRuns(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const std::size_t close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

// A temporary file left by a writer that died mid-write (a killed process) is never renamed.
// One is stale when the process that made it is gone, or when it is older than any write takes
// (the process number may have been reused).
bool isStaleTemp(const fs::directory_entry& entry, const std::string& prefix) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos ||
        !std::all_of(rest.begin(), rest.begin() + static_cast<long>(dash),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const long pid = std::strtol(rest.substr(0, dash).c_str(), nullptr, 10);
    std::error_code ec;
    const auto written = entry.last_write_time(ec);
    if (ec) return false;
    const bool old = fs::file_time_type::clock::now() - written > std::chrono::minutes(10);
    if (pid == ::getpid()) return old;  // another thread of ours may be writing it now
    return old || pid <= 0 || !processRuns(static_cast<pid_t>(pid));
}

// Links followed in one resolution before giving up (as the platform's ELOOP limit).
constexpr int kMaxLinks = 40;

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

// The default root is only named here; it is created by layOutRoot(), so that a program which
// never uses the file system leaves nothing behind.
FileSystem::FileSystem() {
    std::error_code ec;
    root_ = fs::temp_directory_path(ec) / ("lumora3-device-" + std::to_string(::getpid()));
}

FileSystem& FileSystem::shared() {
    static FileSystem instance;
    return instance;
}

void FileSystem::setRoot(fs::path root) {
    std::error_code ec;
    fs::path absolute = fs::absolute(root, ec);
    if (ec) absolute = root;
    absolute = absolute.lexically_normal();
    // A trailing separator would make every joined path differ in form; drop it.
    if (absolute.has_relative_path() && absolute.filename().empty())
        absolute = absolute.parent_path();
    fs::create_directories(absolute, ec);
    std::lock_guard lock(mutex_);
    root_ = absolute;
}

fs::path FileSystem::root() const {
    std::lock_guard lock(mutex_);
    return root_;
}

bool FileSystem::layOutRoot() {
    fs::path r = root();
    std::error_code ec;
    for (const char* dir : {"var/mobile/Library/Preferences", "var/mobile/Media/DCIM",
                            "Library/Application Support", "tmp"}) {
        fs::create_directories(r / dir, ec);
        if (ec) return false;
    }
    fs::path user = r / "User";
    if (fs::is_symlink(fs::symlink_status(user, ec))) return true;
    if (fs::exists(fs::symlink_status(user, ec))) return false;  // something else is there
    fs::create_directory_symlink("var/mobile", user, ec);
    return !ec;
}

std::string FileSystem::normalise(const std::string& phonePath) {
    std::vector<std::string> stack;
    for (auto& part : components(phonePath)) {
        if (part == "..") {
            if (!stack.empty()) stack.pop_back();
        } else {
            stack.push_back(std::move(part));
        }
    }
    std::string out;
    for (const auto& part : stack) out += "/" + part;
    return out.empty() ? "/" : out;
}

// Walks the path one component at a time, as the phone's kernel would inside a chroot: ".."
// stops at the root and a symbolic link's target (relative to its folder, or absolute from the
// phone's "/") is spliced into the remaining components. The result is always inside the root.
fs::path FileSystem::resolve(const std::string& phonePath) const {
    // A path through a link loop resolves to a name under the root that holds nothing, so that
    // the host never follows the loop itself.
    return resolveChecked(phonePath).value_or(root() / ".unresolvable-link");
}

std::optional<fs::path> FileSystem::resolveChecked(const std::string& phonePath) const {
    const fs::path r = root();
    std::deque<std::string> pending = components(phonePath);
    std::vector<std::string> stack;
    int links = 0;
    bool first = true;
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == "..") {
            if (!stack.empty()) stack.pop_back();
            first = false;
            continue;
        }
        // "/User" is the phone's link to "/var/mobile".
        if (first && part == "User") {
            first = false;
            pending.push_front("mobile");
            pending.push_front("var");
            continue;
        }
        first = false;
        stack.push_back(part);
        std::error_code ec;
        fs::path host = join(r, stack);
        if (!fs::is_symlink(fs::symlink_status(host, ec))) continue;
        fs::path target = fs::read_symlink(host, ec);
        if (ec || ++links > kMaxLinks) return std::nullopt;
        stack.pop_back();
        std::string text = target.generic_string();
        if (!text.empty() && text.front() == '/') {
            stack.clear();
            first = true;
        }
        auto parts = components(text);
        pending.insert(pending.begin(), parts.begin(), parts.end());
    }
    return join(r, stack);
}

bool FileSystem::fileExists(const std::string& phonePath, bool* isDirectory) const {
    auto p = resolveChecked(phonePath);
    std::error_code ec;
    if (!p) {
        if (isDirectory != nullptr) *isDirectory = false;
        return false;
    }
    auto st = fs::status(*p, ec);
    bool exists = !ec && fs::exists(st);
    if (isDirectory != nullptr) *isDirectory = exists && fs::is_directory(st);
    return exists;
}

bool FileSystem::createDirectory(const std::string& phonePath, bool withIntermediates) const {
    auto resolved = resolveChecked(phonePath);
    if (!resolved) return false;
    const fs::path& p = *resolved;
    std::error_code ec;
    if (withIntermediates) {
        fs::create_directories(p, ec);
        return !ec && fs::is_directory(p, ec);
    }
    return fs::create_directory(p, ec) && !ec;
}

std::optional<std::vector<std::uint8_t>> FileSystem::readFile(const std::string& phonePath) const {
    auto resolved = resolveChecked(phonePath);
    if (!resolved) return std::nullopt;
    const fs::path& p = *resolved;
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    auto size = fs::file_size(p, ec);
    if (ec || size > kMaxReadBytes) return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return std::nullopt;
    // A file that grew while being read is read again next time; what we have is a snapshot.
    return bytes;
}

bool FileSystem::writeFileAtomically(const std::string& phonePath,
                                     const std::vector<std::uint8_t>& bytes) const {
    auto resolved = resolveChecked(phonePath);
    if (!resolved) return false;
    const fs::path& target = *resolved;
    fs::path folder = target.parent_path();
    std::error_code ec;
    if (target == root() || !fs::is_directory(folder, ec)) return false;
    if (fs::is_directory(target, ec)) return false;

    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    int fd = -1;
    fs::path temp;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder / (tempPrefix(target) + std::to_string(::getpid()) + "-" +
                         std::to_string(counter++) + "-" + std::to_string(rd()));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeStaleTemps(folder, tempPrefix(target));
    return true;
}

bool FileSystem::removeItem(const std::string& phonePath) const {
    // The last component is not followed: removing a link removes the link.
    std::string normal = normalise(phonePath);
    if (normal == "/") return false;
    std::size_t slash = normal.rfind('/');
    auto folder = resolveChecked(normal.substr(0, slash));
    if (!folder) return false;
    fs::path p = *folder / normal.substr(slash + 1);
    if (p == root()) return false;
    std::error_code ec;
    return fs::remove_all(p, ec) > 0 && !ec;
}

std::optional<std::vector<std::string>> FileSystem::contentsOfDirectory(
    const std::string& phonePath) const {
    auto resolved = resolveChecked(phonePath);
    if (!resolved) return std::nullopt;
    const fs::path& p = *resolved;
    std::error_code ec;
    if (!fs::is_directory(p, ec)) return std::nullopt;
    std::vector<std::string> names;
    for (fs::directory_iterator it(p, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec) return std::nullopt;
    std::sort(names.begin(), names.end());
    return names;
}

void removeStaleTemps(const fs::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (isStaleTemp(entry, prefix)) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

}  // namespace ns
