// The EXIF orientation tag: reading gives 1-8 or nothing; writing a tag gives a file that reads
// back as that tag, and writing the tag it already has changes nothing.

#include "fuzz/FuzzTargets.h"
#include "platform/media/Exif.h"

namespace lumora::fuzz {

void exifTarget(const std::uint8_t* data, std::size_t size) {
    const platform::ByteSpan file{data, size};
    const auto tag = platform::readExifOrientation(file);
    if (tag) fuzzCheck(*tag >= 1 && *tag <= 8, "orientation tag outside 1-8");
    // The last byte picks the tag to write, so the fuzzer explores every tag.
    const int wanted = size == 0 ? 1 : 1 + data[size - 1] % 8;
    const auto written = platform::writeExifOrientation(file, wanted);
    if (!written) return;
    fuzzCheck(platform::readExifOrientation(*written) == wanted,
              "written orientation does not read back");
    if (tag == wanted) {
        const auto again = platform::writeExifOrientation(*written, wanted);
        fuzzCheck(again && *again == *written, "rewriting the same tag changed the file");
    }
}

}  // namespace lumora::fuzz
