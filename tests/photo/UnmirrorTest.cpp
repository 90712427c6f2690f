// Un-mirroring a front-camera photo: the upright picture is mirrored left-right, losslessly
// where the picture's size allows, with its orientation tag and metadata kept.
#include <gtest/gtest.h>

#include <string>

#include "photo/PhotoRewrite.h"
#include "platform/media/JpegTransform.h"
#include "tests/photo/UprightPixels.h"

using namespace lumora;
using namespace testphotos;

namespace {

bool sameMetadata(platform::ByteSpan a, platform::ByteSpan b) {
    auto ma = platform::metadataSegments(a);
    auto mb = platform::metadataSegments(b);
    return !ma.empty() &&
           std::equal(ma.begin(), ma.end(), mb.begin(), mb.end(), [](auto x, auto y) {
               return std::equal(x.begin(), x.end(), y.begin(), y.end());
           });
}

struct Case {
    std::string name;
    platform::Bytes bytes;
};

std::vector<Case> everyOrientation() {
    std::vector<Case> cases;
    for (int tag = 1; tag <= 8; ++tag) {
        for (const std::string shape : {"landscape", "portrait"}) {
            const auto name = "orientation/" + shape + "_" + std::to_string(tag) + ".jpg";
            cases.push_back({name, load(name)});
        }
        // 320 x 240 is whole 4:2:0 MCUs both ways: the lossless path.
        cases.push_back({"generated " + std::to_string(tag), generated(320, 240, tag)});
    }
    return cases;
}

}  // namespace

TEST(Unmirror, MirrorsTheUprightPictureLeftRightAndKeepsTagAndMetadata) {
    for (const auto& c : everyOrientation()) {
        SCOPED_TRACE(c.name);
        const int tag = platform::readExifOrientation(c.bytes).value_or(0);
        ASSERT_TRUE(platform::isValidExifOrientation(tag));
        auto out = unmirrorPhoto(c.bytes, tag);
        ASSERT_TRUE(out);
        EXPECT_EQ(platform::readExifOrientation(*out), tag);
        EXPECT_TRUE(sameMetadata(c.bytes, *out));

        auto before = upright(c.bytes, tag);
        auto after = upright(*out, tag);
        ASSERT_TRUE(before && after);
        ASSERT_EQ(after->image.width, before->image.width);  // stored layout kept
        ASSERT_EQ(after->image.height, before->image.height);
        auto d = mirroredDifference(*before, *after);
        EXPECT_LT(d.mean, 1.5);
        EXPECT_LE(d.max, 48);  // re-encoding rounds at sharp edges; a wrong flip is far off
    }
}

TEST(Unmirror, TwiceGivesBackTheOriginalPixels) {
    for (const auto& c : everyOrientation()) {
        SCOPED_TRACE(c.name);
        const int tag = platform::readExifOrientation(c.bytes).value_or(1);
        auto once = unmirrorPhoto(c.bytes, tag);
        ASSERT_TRUE(once);
        auto twice = unmirrorPhoto(*once, tag);
        ASSERT_TRUE(twice);
        auto original = platform::decodeJpeg(c.bytes);
        auto back = platform::decodeJpeg(*twice);
        ASSERT_TRUE(original && back);
        auto header = platform::readJpegHeader(c.bytes);
        const auto flip = platform::isSidewaysExifOrientation(tag) ? platform::JpegFlip::Vertical
                                                                   : platform::JpegFlip::Horizontal;
        if (platform::canFlipLosslessly(*header, flip)) {
            EXPECT_EQ(maxDifference(*original, *back), 0);  // lossless: identical pixels
        } else {
            // Two quality-100 re-encodings: close everywhere, a few levels at sharp edges.
            EXPECT_LT(meanDifference(*original, *back), 1.5);
            EXPECT_LE(maxDifference(*original, *back), 64);
        }
    }
}

TEST(Unmirror, CameraPhotosFlipLosslesslyByTheirTag) {
    const auto photo = load("real/iphone_hdr_NO.jpg");  // 3264 x 2448, 4:2:0, tag 1
    auto plain = unmirrorPhoto(photo, 1);
    ASSERT_TRUE(plain);
    EXPECT_EQ(*plain, platform::flipJpegLossless(photo, platform::JpegFlip::Horizontal).value());
    // Stored sideways (the hook passes the job's orientation): the stored rows are reversed.
    auto sideways = unmirrorPhoto(photo, 6);
    ASSERT_TRUE(sideways);
    EXPECT_EQ(*sideways, platform::flipJpegLossless(photo, platform::JpegFlip::Vertical).value());
    EXPECT_EQ(platform::readExifOrientation(*sideways), 1);  // the tag in the file is untouched
}

TEST(Unmirror, BadBytesAreLeftAlone) {
    const auto photo = load("real/jolla.jpg");
    EXPECT_FALSE(unmirrorPhoto(platform::Bytes{}, 1));
    EXPECT_FALSE(unmirrorPhoto(platform::Bytes(1000, 0x42), 6));
    EXPECT_FALSE(unmirrorPhoto(platform::ByteSpan(photo).first(photo.size() / 3), 1));
    platform::JpegLimits small;
    small.maxPixels = 1'000'000;
    EXPECT_FALSE(unmirrorPhoto(photo, 1, small));
    for (const auto& path : invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        const auto bytes = readFile(path);
        auto out = unmirrorPhoto(bytes, platform::readExifOrientation(bytes).value_or(1));
        if (out) {
            EXPECT_TRUE(platform::decodeJpeg(*out));
        }
    }
}
