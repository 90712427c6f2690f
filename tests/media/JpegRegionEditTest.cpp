// Editing a rectangle of a JPEG: painted pixels appear, everything away from them is kept exactly.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/media/Exif.h"
#include "platform/media/JpegRegionEdit.h"
#include "tests/media/PhotoFiles.h"

using namespace platform;

namespace {

// Paints the picture rectangle [x0,x1) x [y0,y1) pure red, whatever part of it is given.
RegionPainter redRect(int x0, int y0, int x1, int y1) {
    return [=](std::uint8_t* px, int w, int h, int stride, int ox, int oy) {
        for (int y = std::max(y0, oy); y < std::min(y1, oy + h); ++y) {
            for (int x = std::max(x0, ox); x < std::min(x1, ox + w); ++x) {
                std::uint8_t* p = px + static_cast<std::size_t>(y - oy) * stride + (x - ox) * 4;
                p[0] = 0;
                p[1] = 0;
                p[2] = 255;
            }
        }
        return true;
    };
}

// Largest channel difference at pixels at least `away` pixels outside the rectangle.
int differenceOutside(const DecodedImage& a, const DecodedImage& b, PixelRect r, int away) {
    int worst = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (x > r.x - away && x < r.x + r.width + away && y > r.y - away &&
                y < r.y + r.height + away)
                continue;
            for (int c = 0; c < 3; ++c) {
                worst = std::max(worst, std::abs(testphotos::channel(a, x, y, c) -
                                                 testphotos::channel(b, x, y, c)));
            }
        }
    }
    return worst;
}

}  // namespace

TEST(JpegRegionEdit, PaintsTheRegionAndKeepsEveryOtherBlock) {
    const auto photo = testphotos::load("real/jolla.jpg");
    const PixelRect rect{1000, 2300, 300, 60};
    auto edited = editJpegRegion(photo, rect, redRect(1000, 2300, 1300, 2360));
    ASSERT_TRUE(edited);
    auto before = decodeJpeg(photo);
    auto after = decodeJpeg(*edited);
    ASSERT_TRUE(before && after);
    ASSERT_EQ(after->width, before->width);
    // Inside: red, as well as the photo's own quantisation renders it.
    EXPECT_GT(testphotos::channel(*after, 1150, 2330, 2), 220);
    EXPECT_LT(testphotos::channel(*after, 1150, 2330, 1), 40);
    // Away from the painted MCUs (16 px) and their chroma neighbours: identical pixels.
    EXPECT_EQ(differenceOutside(*before, *after, rect, 32), 0);
    // Metadata survives with the orientation tag.
    EXPECT_EQ(readExifOrientation(*edited), readExifOrientation(photo));
    EXPECT_EQ(metadataSegments(*edited).size(), metadataSegments(photo).size());
}

TEST(JpegRegionEdit, APainterThatChangesNothingChangesNoPixel) {
    const auto photo = testphotos::generated(320, 240, 6);
    auto same = editJpegRegion(photo, {10, 10, 100, 50},
                               [](std::uint8_t*, int, int, int, int, int) { return true; });
    ASSERT_TRUE(same);
    auto before = decodeJpeg(photo);
    auto after = decodeJpeg(*same);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(differenceOutside(*before, *after, {0, 0, 0, 0}, 0), 0);
}

TEST(JpegRegionEdit, WorksForEverySubsamplingAndGreyscale) {
    for (auto sub : {JpegSubsampling::S444, JpegSubsampling::S422, JpegSubsampling::S420,
                     JpegSubsampling::Gray}) {
        SCOPED_TRACE(static_cast<int>(sub));
        const auto photo = testphotos::generated(203, 157, 0, sub);  // not whole MCUs
        auto edited = editJpegRegion(photo, {150, 120, 80, 80}, redRect(150, 120, 203, 157));
        ASSERT_TRUE(edited);
        auto after = decodeJpeg(*edited);
        ASSERT_TRUE(after);
        if (sub == JpegSubsampling::Gray) {
            EXPECT_NEAR(testphotos::channel(*after, 190, 150, 0), 76, 6);  // red's luma
        } else {
            EXPECT_GT(testphotos::channel(*after, 190, 150, 2), 220);
            EXPECT_LT(testphotos::channel(*after, 190, 150, 0), 40);
        }
        auto before = decodeJpeg(photo);
        EXPECT_EQ(differenceOutside(*before, *after, {150, 120, 53, 37}, 40), 0);
    }
}

TEST(JpegRegionEdit, RefusesBadInputAndFailedPainters) {
    const auto photo = testphotos::generated(64, 64, 1);
    EXPECT_FALSE(editJpegRegion(photo, {100, 100, 10, 10}, redRect(0, 0, 1, 1)));  // misses
    EXPECT_FALSE(editJpegRegion(photo, {0, 0, 10, 10}, nullptr));
    EXPECT_FALSE(editJpegRegion(photo, {0, 0, 10, 10},
                                [](std::uint8_t*, int, int, int, int, int) { return false; }));
    EXPECT_FALSE(editJpegRegion(Bytes(100, 0xFF), {0, 0, 10, 10}, redRect(0, 0, 10, 10)));
    const auto real = testphotos::load("real/iphone_hdr_NO.jpg");
    const Bytes truncated(real.begin(), real.begin() + real.size() / 2);
    EXPECT_FALSE(editJpegRegion(truncated, {0, 0, 10, 10}, redRect(0, 0, 10, 10)));
    for (const auto& path : testphotos::invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        auto edited =
            editJpegRegion(testphotos::readFile(path), {0, 0, 40, 40}, redRect(0, 0, 40, 40));
        if (edited) {
            EXPECT_TRUE(decodeJpeg(*edited));
        }
    }
}
