// JPEG decoding, encoding, lossless flips and refusal of bad input.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/media/JpegCodec.h"
#include "platform/media/JpegTransform.h"
#include "tests/media/PhotoFiles.h"

using namespace platform;

namespace {

int maxDifference(const DecodedImage& a, const DecodedImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(testphotos::channel(a, x, y, c) -
                                                 testphotos::channel(b, x, y, c)));
    return worst;
}

}  // namespace

TEST(Jpeg, ReadsTheHeaderOfACameraPhoto) {
    auto header = readJpegHeader(testphotos::load("real/iphone_hdr_NO.jpg"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 3264);
    EXPECT_EQ(header->height, 2448);
    EXPECT_EQ(header->subsampling, JpegSubsampling::S420);
    EXPECT_EQ(header->mcuWidth, 16);
    EXPECT_EQ(header->mcuHeight, 16);
    EXPECT_FALSE(header->cmyk);
}

TEST(Jpeg, EncodesAndDecodesBgrxPixels) {
    const auto jpeg = testphotos::generated(64, 48, 0, JpegSubsampling::S444);
    auto image = decodeJpeg(jpeg);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 64);
    ASSERT_EQ(image->height, 48);
    EXPECT_EQ(image->stride, 64 * 4);
    // Blue grows to the right, green downwards, red stays at 60.
    EXPECT_NEAR(testphotos::channel(*image, 0, 0, 0), 40, 4);
    EXPECT_NEAR(testphotos::channel(*image, 63, 0, 0), 197, 4);
    EXPECT_NEAR(testphotos::channel(*image, 0, 47, 1), 196, 4);
    EXPECT_NEAR(testphotos::channel(*image, 30, 20, 2), 60, 4);

    auto again = encodeJpeg(*image, 100, JpegSubsampling::S444);
    ASSERT_TRUE(again);
    auto decodedAgain = decodeJpeg(*again);
    ASSERT_TRUE(decodedAgain);
    EXPECT_LE(maxDifference(*image, *decodedAgain), 3);
}

TEST(Jpeg, EncodeRefusesBadArguments) {
    std::vector<std::uint8_t> px(16 * 16 * 4, 0);
    EXPECT_FALSE(encodeJpeg(nullptr, 16, 16, 64, 90, JpegSubsampling::S420));
    EXPECT_FALSE(encodeJpeg(px.data(), 0, 16, 64, 90, JpegSubsampling::S420));
    EXPECT_FALSE(encodeJpeg(px.data(), 16, 16, 32, 90, JpegSubsampling::S420));  // short rows
    EXPECT_FALSE(encodeJpeg(px.data(), 16, 16, 64, 0, JpegSubsampling::S420));
    EXPECT_FALSE(encodeJpeg(px.data(), 16, 16, 64, 101, JpegSubsampling::S420));
}

TEST(Jpeg, RefusesPicturesAboveThePixelLimitFromTheHeaderAlone) {
    const auto photo = testphotos::load("real/jolla.jpg");
    JpegLimits small;
    small.maxPixels = 3264 * 2448 - 1;
    EXPECT_FALSE(readJpegHeader(photo, small));
    EXPECT_FALSE(decodeJpeg(photo, small));
    EXPECT_FALSE(flipJpegLossless(photo, JpegFlip::Vertical, small));

    // A tiny file whose frame header claims 65000 x 65000 pixels.
    auto bomb = testphotos::generated(16, 16, 0);
    auto segments = parseJpegHeader(bomb);
    ASSERT_TRUE(segments);
    bool patched = false;
    for (const auto& s : *segments) {
        if (s.marker == 0xC0) {
            bomb[s.offset + 5] = 0xFD;  // height
            bomb[s.offset + 6] = 0xE8;
            bomb[s.offset + 7] = 0xFD;  // width
            bomb[s.offset + 8] = 0xE8;
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    EXPECT_FALSE(readJpegHeader(bomb));
    EXPECT_FALSE(decodeJpeg(bomb));
    EXPECT_FALSE(flipJpegLossless(bomb, JpegFlip::Horizontal));
}

TEST(Jpeg, FailsCleanlyOnBytesThatAreNotAJpeg) {
    const std::vector<Bytes> inputs = {
        {},
        {0xFF},
        {0xFF, 0xD8},
        {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D},
        Bytes(4096, 0xFF),
        Bytes(4096, 0x00),
    };
    for (const auto& bytes : inputs) {
        EXPECT_FALSE(looksLikeJpeg(bytes) && parseJpegHeader(bytes));
        EXPECT_FALSE(readJpegHeader(bytes));
        EXPECT_FALSE(decodeJpeg(bytes));
        EXPECT_FALSE(flipJpegLossless(bytes, JpegFlip::Horizontal));
    }
}

TEST(Jpeg, TruncatedDataFailsRatherThanDecodingHalfAPicture) {
    const auto photo = testphotos::load("real/iphone_hdr_NO.jpg");
    const Bytes half(photo.begin(), photo.begin() + photo.size() / 2);
    EXPECT_TRUE(readJpegHeader(half));  // the header is intact
    EXPECT_FALSE(decodeJpeg(half));
    EXPECT_FALSE(flipJpegLossless(half, JpegFlip::Vertical));
}

TEST(Jpeg, InvalidSampleFilesNeverCrashAndDecodeConsistently) {
    for (const auto& path : testphotos::invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        const auto bytes = testphotos::readFile(path);
        auto header = readJpegHeader(bytes);
        auto image = decodeJpeg(bytes);
        if (image) {
            ASSERT_TRUE(header);
            EXPECT_EQ(image->width, header->width);
            EXPECT_EQ(image->height, header->height);
        }
        for (auto flip : {JpegFlip::Horizontal, JpegFlip::Vertical}) {
            auto flipped = flipJpegLossless(bytes, flip);
            if (flipped) {
                EXPECT_TRUE(readJpegHeader(*flipped));
            }
        }
    }
}

TEST(JpegTransform, LosslessFlipNeedsWholeMcusOnTheFlippedEdge) {
    JpegHeader h;
    h.width = 600;
    h.height = 450;
    h.subsampling = JpegSubsampling::S420;
    h.mcuWidth = h.mcuHeight = 16;
    EXPECT_FALSE(canFlipLosslessly(h, JpegFlip::Horizontal));  // 600 = 37.5 MCUs
    EXPECT_FALSE(canFlipLosslessly(h, JpegFlip::Vertical));
    h.width = 608;
    EXPECT_TRUE(canFlipLosslessly(h, JpegFlip::Horizontal));
    EXPECT_FALSE(canFlipLosslessly(h, JpegFlip::Vertical));

    const auto odd = testphotos::generated(100, 64, 1);  // 100 is not a multiple of 16
    EXPECT_FALSE(flipJpegLossless(odd, JpegFlip::Horizontal));
    EXPECT_TRUE(flipJpegLossless(odd, JpegFlip::Vertical));
}

TEST(JpegTransform, FlipsPixelsAndKeepsEveryMetadataSegment) {
    const auto photo = testphotos::load("real/jolla.jpg");
    auto original = decodeJpeg(photo);
    ASSERT_TRUE(original);
    for (auto flip : {JpegFlip::Horizontal, JpegFlip::Vertical}) {
        auto flipped = flipJpegLossless(photo, flip);
        ASSERT_TRUE(flipped);
        auto before = metadataSegments(photo);
        auto after = metadataSegments(*flipped);
        ASSERT_EQ(before.size(), after.size());
        ASSERT_FALSE(before.empty());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_TRUE(
                std::equal(before[i].begin(), before[i].end(), after[i].begin(), after[i].end()));
        }
        auto image = decodeJpeg(*flipped);
        ASSERT_TRUE(image);
        // Chroma upsampling rounds slightly differently at mirrored positions.
        for (int y = 0; y < image->height; y += 97) {
            for (int x = 0; x < image->width; x += 89) {
                const int sx = flip == JpegFlip::Horizontal ? image->width - 1 - x : x;
                const int sy = flip == JpegFlip::Vertical ? image->height - 1 - y : y;
                for (int c = 0; c < 3; ++c) {
                    ASSERT_NEAR(testphotos::channel(*image, x, y, c),
                                testphotos::channel(*original, sx, sy, c), 3);
                }
            }
        }
        // Flipping back restores the DCT coefficients exactly, so the very same pixels.
        auto back = flipJpegLossless(*flipped, flip);
        ASSERT_TRUE(back);
        auto restored = decodeJpeg(*back);
        ASSERT_TRUE(restored);
        EXPECT_EQ(maxDifference(*restored, *original), 0);
    }
}
