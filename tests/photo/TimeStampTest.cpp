// The date stamp: red text reading upright at the lower-left corner of the upright picture,
// sized by the upright width, with the stored layout, tag and metadata kept.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>
#include <vector>

#include "photo/PhotoRewrite.h"
#include "photo/StampLayout.h"
#include "tests/photo/UprightPixels.h"

using namespace lumora;
using namespace testphotos;

namespace {

struct Box {
    int minX = INT_MAX, minY = INT_MAX, maxX = -1, maxY = -1;
    long count = 0;
};

// The bounding box of the red pixels, in upright coordinates.
Box redPixels(const Upright& u) {
    Box b;
    for (int uy = 0; uy < u.height(); ++uy) {
        for (int ux = 0; ux < u.width(); ++ux) {
            if (u.at(ux, uy, 2) > 180 && u.at(ux, uy, 1) < 110 && u.at(ux, uy, 0) < 110) {
                b.minX = std::min(b.minX, ux);
                b.maxX = std::max(b.maxX, ux);
                b.minY = std::min(b.minY, uy);
                b.maxY = std::max(b.maxY, uy);
                ++b.count;
            }
        }
    }
    return b;
}

const auto kWhen = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7};

}  // namespace

TEST(TimeStamp, TextIsTheShortDateAndOptionallyTime) {
    EXPECT_EQ(timeStampText(kWhen, {false, "en_US", "UTC"}), "12/7/26");
    EXPECT_EQ(timeStampText(kWhen, {true, "en_US", "UTC"}), "12/7/26, 12:00 AM");
    EXPECT_EQ(timeStampText(kWhen, {false, "ja_JP", "UTC"}), "2026/12/07");
}

TEST(TimeStamp, RedTextAtTheLowerLeftOfTheUprightPicture) {
    for (int tag : {1, 3, 6, 8}) {
        SCOPED_TRACE(tag);
        const auto photo = grey(800, 600, tag);
        auto out = stampPhoto(photo, tag, "12/7/26");
        ASSERT_TRUE(out);
        EXPECT_EQ(platform::readExifOrientation(*out), tag);
        auto u = upright(*out, tag);
        ASSERT_TRUE(u);
        EXPECT_EQ(u->image.width, 800);  // the stored layout is kept
        EXPECT_EQ(u->image.height, 600);

        const double size = u->width() / 40.0;
        const int m = static_cast<int>(size + 10);
        const Box b = redPixels(*u);
        ASSERT_GT(b.count, 50);
        // The line box starts m from the left and 2m above the bottom; digits sit inside it.
        EXPECT_GE(b.minX, m - 1);
        EXPECT_LE(b.minX, m + size * 0.3);
        EXPECT_GE(b.minY, u->height() - 2 * m);
        EXPECT_LE(b.maxY, u->height() - 2 * m + size * 1.2);
        EXPECT_LT(b.maxX, u->width() / 2);
        // Digit height tells the font size: a fortieth of the upright width.
        const int textHeight = b.maxY - b.minY + 1;
        EXPECT_GE(textHeight, size * 0.55);
        EXPECT_LE(textHeight, size * 0.85);
        // Reads left to right: wider than tall.
        EXPECT_GT(b.maxX - b.minX, 3 * textHeight);
    }
}

TEST(TimeStamp, LeavesThePictureAwayFromTheTextUntouched) {
    const auto photo = grey(960, 720, 6);
    auto out = stampPhoto(photo, 6, "12/7/26");
    ASSERT_TRUE(out);
    auto before = upright(photo, 6);
    auto after = upright(*out, 6);
    ASSERT_TRUE(before && after);
    const Box b = redPixels(*after);
    ASSERT_GT(b.count, 20);
    int changedAway = 0;
    for (int uy = 0; uy < after->height(); ++uy) {
        for (int ux = 0; ux < after->width(); ++ux) {
            // Beyond the MCUs under the text and their chroma neighbours.
            if (ux > b.minX - 40 && ux < b.maxX + 40 && uy > b.minY - 40 && uy < b.maxY + 40)
                continue;
            for (int c = 0; c < 3; ++c)
                changedAway += before->at(ux, uy, c) != after->at(ux, uy, c);
        }
    }
    EXPECT_EQ(changedAway, 0);
}

TEST(TimeStamp, KeepsTheMetadataOfACameraPhoto) {
    const auto photo = load("real/jolla.jpg");
    auto out = stampPhoto(photo, 1, "07/12/2026 21:41");
    ASSERT_TRUE(out);
    auto before = platform::metadataSegments(photo);
    auto after = platform::metadataSegments(*out);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(
            std::equal(before[i].begin(), before[i].end(), after[i].begin(), after[i].end()));
    }
    auto header = platform::readJpegHeader(*out);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 3264);
    EXPECT_EQ(header->subsampling, platform::JpegSubsampling::S420);
}

TEST(TimeStamp, OtherTagsEmptyTextAndBadBytesMeanNoChange) {
    for (int tag : {0, 2, 4, 5, 7, 9}) {
        EXPECT_FALSE(stampLayout(tag, 800, 600).draws);
        EXPECT_FALSE(stampPhoto(grey(64, 48, 1), tag, "12/7/26")) << tag;
    }
    EXPECT_FALSE(stampPhoto(grey(64, 48, 1), 1, ""));
    EXPECT_FALSE(stampPhoto(platform::Bytes(512, 0xFF), 1, "12/7/26"));
    for (const auto& path : invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        const auto bytes = readFile(path);
        auto out = stampPhoto(bytes, 1, "12/7/26");
        if (out) {
            EXPECT_TRUE(platform::decodeJpeg(*out));
        }
    }
}

// The saving queue rewrites photos off the main thread, possibly while another photo is being
// rewritten: concurrent calls give exactly the serial results.
TEST(TimeStamp, ConcurrentRewritesMatchSerialOnes) {
    const auto photo = grey(480, 320, 8);
    const auto stamped = stampPhoto(photo, 8, "12/7/26");
    const auto mirrored = unmirrorPhoto(photo, 8);
    ASSERT_TRUE(stamped && mirrored);
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 5; ++i) {
                if (stampPhoto(photo, 8, "12/7/26") != stamped) ++mismatches;
                if (unmirrorPhoto(photo, 8) != mirrored) ++mismatches;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(mismatches.load(), 0);
}
