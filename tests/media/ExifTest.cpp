// EXIF orientation: reading, writing, and the two numberings of orientation.
#include <gtest/gtest.h>

#include <limits>

#include "platform/media/Exif.h"
#include "platform/media/ExifOrientation.h"
#include "platform/media/JpegCodec.h"
#include "tests/media/PhotoFiles.h"

using namespace platform;

TEST(Exif, ReadsTheTagOfEverySampleOrientation) {
    for (int tag = 1; tag <= 8; ++tag) {
        for (const char* shape : {"landscape", "portrait"}) {
            const auto name =
                "orientation/" + std::string(shape) + "_" + std::to_string(tag) + ".jpg";
            SCOPED_TRACE(name);
            EXPECT_EQ(readExifOrientation(testphotos::load(name)), tag);
        }
    }
    EXPECT_EQ(readExifOrientation(testphotos::load("real/iphone_hdr_NO.jpg")), 1);
}

TEST(Exif, FilesWithoutATagReadAsNoTag) {
    EXPECT_FALSE(readExifOrientation(testphotos::generated(32, 32, 0)));
    EXPECT_FALSE(readExifOrientation(Bytes{}));
    EXPECT_FALSE(readExifOrientation(Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00}));
}

TEST(Exif, PatchingAnExistingTagChangesOnlyItsValue) {
    const auto photo = testphotos::load("real/iphone_hdr_NO.jpg");
    auto turned = writeExifOrientation(photo, 6);
    ASSERT_TRUE(turned);
    EXPECT_EQ(readExifOrientation(*turned), 6);
    ASSERT_EQ(turned->size(), photo.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < photo.size(); ++i) differing += (*turned)[i] != photo[i];
    EXPECT_EQ(differing, 1u);
}

TEST(Exif, AddsABlockToAFileWithoutOne) {
    const auto plain = testphotos::generated(48, 32, 0);
    auto tagged = writeExifOrientation(plain, 8);
    ASSERT_TRUE(tagged);
    EXPECT_EQ(readExifOrientation(*tagged), 8);
    auto image = decodeJpeg(*tagged);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 48);
    // And again on the now tagged file: patched in place.
    auto retagged = writeExifOrientation(*tagged, 3);
    ASSERT_TRUE(retagged);
    EXPECT_EQ(retagged->size(), tagged->size());
    EXPECT_EQ(readExifOrientation(*retagged), 3);
}

TEST(Exif, RefusesInvalidTagsAndNonJpegBytes) {
    const auto plain = testphotos::generated(16, 16, 1);
    EXPECT_FALSE(writeExifOrientation(plain, 0));
    EXPECT_FALSE(writeExifOrientation(plain, 9));
    EXPECT_FALSE(writeExifOrientation(Bytes{1, 2, 3, 4, 5}, 1));
}

TEST(Exif, CorruptBlocksNeverCrash) {
    for (const auto& path : testphotos::invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        const auto bytes = testphotos::readFile(path);
        auto tag = readExifOrientation(bytes);
        if (tag) {
            EXPECT_TRUE(isValidExifOrientation(*tag));
        }
        auto written = writeExifOrientation(bytes, 6);
        if (written) {
            EXPECT_EQ(readExifOrientation(*written), 6);
        }
    }
}

TEST(ImageOrientation, ExifTagsAndImageOrientationsCorrespond) {
    EXPECT_EQ(imageOrientationFromExif(1), UIImageOrientation::Up);
    EXPECT_EQ(imageOrientationFromExif(3), UIImageOrientation::Down);
    EXPECT_EQ(imageOrientationFromExif(6), UIImageOrientation::Right);
    EXPECT_EQ(imageOrientationFromExif(8), UIImageOrientation::Left);
    EXPECT_EQ(imageOrientationFromExif(2), UIImageOrientation::UpMirrored);
    EXPECT_EQ(imageOrientationFromExif(5), UIImageOrientation::LeftMirrored);
    EXPECT_FALSE(imageOrientationFromExif(0));
    EXPECT_FALSE(imageOrientationFromExif(9));
    for (int tag = 1; tag <= 8; ++tag) {
        EXPECT_EQ(exifOrientationFromImage(*imageOrientationFromExif(tag)), tag);
    }
}

// Every sample shows the same scene upright: of the eight ways to read a sample's stored
// pixels, the one its own tag names must match the tag-1 sample best.
TEST(ImageOrientation, UprightMappingMatchesTheSamplePhotos) {
    for (const std::string shape : {"landscape", "portrait"}) {
        auto reference = decodeJpeg(testphotos::load("orientation/" + shape + "_1.jpg"));
        ASSERT_TRUE(reference);
        for (int tag = 2; tag <= 8; ++tag) {
            SCOPED_TRACE(shape + " " + std::to_string(tag));
            auto image = decodeJpeg(
                testphotos::load("orientation/" + shape + "_" + std::to_string(tag) + ".jpg"));
            ASSERT_TRUE(image);
            ASSERT_EQ(isSidewaysExifOrientation(tag) ? image->height : image->width,
                      reference->width);
            auto error = [&](int reading) {
                long total = 0;
                for (int uy = 4; uy < reference->height; uy += 23) {
                    for (int ux = 4; ux < reference->width; ux += 29) {
                        auto s =
                            storedPixelForUpright(reading, image->width, image->height, ux, uy);
                        if (s.x < 0 || s.y < 0 || s.x >= image->width || s.y >= image->height)
                            return std::numeric_limits<long>::max();
                        for (int c = 0; c < 3; ++c) {
                            total += std::abs(testphotos::channel(*image, s.x, s.y, c) -
                                              testphotos::channel(*reference, ux, uy, c));
                        }
                    }
                }
                return total;
            };
            const long own = error(tag);
            for (int other = 1; other <= 8; ++other) {
                if (other == tag) continue;
                EXPECT_LT(own * 2, error(other)) << "reading as " << other;
            }
        }
    }
}
