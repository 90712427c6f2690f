#pragma once
// Reading a photo file whole, and writing one so that a reader never sees half of it: the bytes
// go to a temporary file beside the target, which then takes the target's name in one rename.
// The written file keeps the times of the file it came from.

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/media/JpegSegments.h"

namespace lumora::phototool {

struct FileTimes {
    timespec accessed{};
    timespec modified{};
};

// A file's bytes, read into memory that is not cleared first (a photo is megabytes).
class FileBytes {
public:
    explicit FileBytes(std::size_t size = 0)
        : data_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size) {}
    std::uint8_t* data() { return data_.get(); }
    std::size_t size() const { return size_; }
    operator platform::ByteSpan() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_;
};

struct PhotoFile {
    FileBytes bytes;
    FileTimes times;
};

// The file's bytes and times; nullopt with `error` set when it cannot be read or is no regular
// file.
std::optional<PhotoFile> readPhotoFile(const std::filesystem::path& path, std::string& error);

// Writes `bytes` to `target` through a temporary file in the same folder, sets `times` on it and
// renames it over the target. With `durable` the data reaches the disk before the rename (an
// in-place rewrite then never loses the photo to a crash). False with `error` set, leaving the
// target as it was.
bool writePhotoFile(const std::filesystem::path& target, platform::ByteSpan bytes,
                    const FileTimes& times, bool durable, std::string& error);

}  // namespace lumora::phototool
