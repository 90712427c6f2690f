// Header segments and carrying metadata from one encoding to another.
#include <gtest/gtest.h>

#include "platform/media/JpegCodec.h"
#include "platform/media/JpegSegments.h"
#include "tests/media/PhotoFiles.h"

using namespace platform;

namespace {

bool sameSegments(const std::vector<ByteSpan>& a, const std::vector<ByteSpan>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](ByteSpan x, ByteSpan y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end());
    });
}

}  // namespace

TEST(JpegSegments, FindsTheExifBlockOfACameraPhoto) {
    const auto photo = testphotos::load("real/iphone_hdr_NO.jpg");
    auto exif = findExifSegment(photo);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->marker, 0xE1);
    EXPECT_EQ(exif->offset, 2u);
    EXPECT_GT(exif->size, 1000u);  // with the GPS block
}

TEST(JpegSegments, RejectsLengthsRunningPastTheEnd) {
    Bytes bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x40, 0x00, 'E', 'x', 'i', 'f'};
    EXPECT_FALSE(parseJpegHeader(bytes));
    EXPECT_FALSE(findExifSegment(bytes));
    EXPECT_TRUE(metadataSegments(bytes).empty());
    Bytes noScan{0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x03, 'x'};
    EXPECT_FALSE(parseJpegHeader(noScan));
}

TEST(JpegSegments, SpliceReplacesTheEncodersMetadataWithTheOriginals) {
    const auto photo = testphotos::load("real/jolla.jpg");
    const auto fresh = testphotos::generated(64, 64, 0);  // JFIF only
    auto spliced = spliceMetadata(photo, fresh);
    ASSERT_TRUE(spliced);
    EXPECT_TRUE(sameSegments(metadataSegments(*spliced), metadataSegments(photo)));
    auto header = parseJpegHeader(*spliced);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->front().marker, 0xE1);  // EXIF right after SOI, no JFIF before it
    auto image = decodeJpeg(*spliced);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 64);
}

TEST(JpegSegments, SpliceDropsTheAdobeColourTransformSegment) {
    // The landscape samples carry an Adobe APP14 segment describing their own encoding.
    const auto sample = testphotos::load("orientation/landscape_1.jpg");
    auto spliced = spliceMetadata(sample, testphotos::generated(32, 32, 0));
    ASSERT_TRUE(spliced);
    auto header = parseJpegHeader(*spliced);
    ASSERT_TRUE(header);
    for (const auto& s : *header) EXPECT_NE(s.marker, 0xEE);
    EXPECT_TRUE(decodeJpeg(*spliced));
}
