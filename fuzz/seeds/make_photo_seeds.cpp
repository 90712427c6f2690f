// Writes the photo and EXIF seed files: small pictures of every kind the photo tool meets
// (sizes that are and are not whole MCUs, grey, CMYK, progressive, arithmetic-coded, each
// orientation tag). Usage: make_photo_seeds FOLDER

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/common/SampleJpegs.h"

namespace {

void write(const std::string& folder, const std::string& name, const lumora::test::JpegBytes& b) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_photo_seeds FOLDER\n", stderr);
        return 2;
    }
    using namespace lumora::test;
    const std::string folder = argv[1];
    const JpegBytes base = makeJpeg({16, 16, 3, false, false, 90});
    for (std::uint16_t tag = 1; tag <= 8; ++tag)
        write(folder, "tag" + std::to_string(tag) + "-16x16.jpg", withExifOrientation(base, tag));
    write(folder, "tag6-33x17.jpg",
          withExifOrientation(makeJpeg({33, 17, 3, false, false, 80}), 6));
    write(folder, "tag3-9x40.jpg", withExifOrientation(makeJpeg({9, 40, 3, false, false, 80}), 3));
    write(folder, "grey-24x8.jpg", makeJpeg({24, 8, 1, false, false, 90}));
    write(folder, "cmyk-16x16.jpg", makeJpeg({16, 16, 4, false, false, 90}));
    write(folder, "progressive-20x12.jpg", makeJpeg({20, 12, 3, true, false, 85}));
    write(folder, "arithmetic-16x16.jpg", makeJpeg({16, 16, 3, false, true, 85}));
    write(folder, "one-pixel.jpg", makeJpeg({1, 1, 3, false, false, 90}));
    write(folder, "tag0.jpg", withExifOrientation(base, 0));
    write(folder, "tag9.jpg", withExifOrientation(base, 9));
    write(folder, "tag-garbage.jpg", withGarbageOrientation(base));
    write(folder, "claims-65535x65535.jpg", withClaimedSize(base, 65535, 65535));
    return 0;
}
