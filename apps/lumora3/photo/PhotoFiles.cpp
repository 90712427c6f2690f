#include "apps/lumora3/photo/PhotoFiles.h"

#include "platform/foundation/FileSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

namespace lumora::phototool {

namespace {

std::string describe(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

// The mode of a new file under the process's mask. Reading the mask means setting it, so it is
// read once, at start-up, before any thread can be making files.
const mode_t kNewFileMode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}();

// Closes the descriptor when it goes.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::optional<PhotoFile> readPhotoFile(const std::filesystem::path& path, std::string& error) {
    Fd file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        error = describe("cannot read", path, errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<std::uintmax_t>(info.st_size) > std::numeric_limits<std::int32_t>::max()) {
        error = "cannot read " + path.string() + ": not a regular file of a photo's size";
        return std::nullopt;
    }
    PhotoFile photo;
    photo.times.accessed = info.st_atim;
    photo.times.modified = info.st_mtim;
    photo.bytes = FileBytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < photo.bytes.size()) {
        const ssize_t n = ::read(file.fd, photo.bytes.data() + done, photo.bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n == 0 ? "cannot read " + path.string() + ": the file shrank while read"
                           : describe("cannot read", path, errno);
            return std::nullopt;
        }
        done += static_cast<std::size_t>(n);
    }
    return photo;
}

bool writePhotoFile(const std::filesystem::path& target, platform::ByteSpan bytes,
                    const FileTimes& times, bool durable, std::string& error) {
    // A name no other writer uses: several workers (or runs) may write into one folder. The
    // process number in it lets a later run remove what a killed one left.
    const std::string prefix = target.filename().string() + ".lumora3-";
    std::string temp = target.string() + ".lumora3-" + std::to_string(::getpid()) + "-XXXXXX";
    Fd file{::mkostemp(temp.data(), O_CLOEXEC)};
    if (file.fd < 0) {
        error = describe("cannot write", target, errno);
        return false;
    }
    auto fail = [&](int code) {
        error = describe("cannot write", target, code);
        ::unlink(temp.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n == 0 ? EIO : errno);
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private (0600); a photo is as readable as any other new file.
    const timespec stamps[2] = {times.accessed, times.modified};
    if (::fchmod(file.fd, kNewFileMode) != 0 || ::futimens(file.fd, stamps) != 0)
        return fail(errno);
    if (durable && ::fsync(file.fd) != 0) return fail(errno);
    if (::close(file.fd) != 0) {
        file.fd = -1;
        return fail(errno);
    }
    file.fd = -1;
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    ns::removeStaleTemps(target.parent_path().empty() ? "." : target.parent_path(), prefix);
    return true;
}

}  // namespace lumora::phototool
