#include <gtest/gtest.h>
#include "tests/common/ScratchDir.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "artwork/resources/CountSound.h"
#include "artwork/resources/ResourceArtwork.h"
#include "platform/graphics/Image.h"

using namespace lumora::artwork;

namespace {

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}
uint16_t be16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>((b[at] << 8) | b[at + 1]);
}
std::string id(const std::vector<uint8_t>& b, size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

// 80-bit IEEE extended, as a double.
double extended(const std::vector<uint8_t>& b, size_t at) {
    const int exponent = (be16(b, at) & 0x7fff) - 16383;
    const uint64_t mantissa = (uint64_t{be32(b, at + 2)} << 32) | be32(b, at + 6);
    return std::ldexp(static_cast<double>(mantissa), exponent - 63);
}

}  // namespace

TEST(CountSound, IsAValidShortMonoAiff) {
    const auto b = makeCountSoundAiff();
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(id(b, 0), "FORM");
    EXPECT_EQ(be32(b, 4), b.size() - 8);
    EXPECT_EQ(id(b, 8), "AIFF");
    EXPECT_EQ(id(b, 12), "COMM");
    EXPECT_EQ(be32(b, 16), 18u);
    EXPECT_EQ(be16(b, 20), 1) << "mono";
    const uint32_t frames = be32(b, 22);
    EXPECT_EQ(be16(b, 26), 16) << "16-bit";
    EXPECT_DOUBLE_EQ(extended(b, 28), 44100.0);
    EXPECT_NEAR(frames / 44100.0, 0.05, 0.01);
    EXPECT_EQ(id(b, 38), "SSND");
    EXPECT_EQ(be32(b, 42), 8 + 2 * frames);
    EXPECT_EQ(b.size(), 54 + 2 * frames);
    int peak = 0;
    for (uint32_t i = 0; i < frames; ++i) {
        peak = std::max(peak, std::abs(static_cast<int16_t>(be16(b, 54 + 2 * i))));
    }
    EXPECT_GT(peak, 8000) << "audible";
    EXPECT_LT(peak, 32767) << "not clipped";
    EXPECT_LT(std::abs(static_cast<int16_t>(be16(b, b.size() - 2))), 200) << "fades out";
}

TEST(Resources, EveryImageIsWrittenAndLoadsBackAtItsSize) {
    const auto folder = lumora::test::scratchDir("gfx-resources-test");
    std::filesystem::remove_all(folder);
    std::string error;
    ASSERT_TRUE(writeResources(folder.string(), &error)) << error;
    ASSERT_EQ(resourceImages().size(), 11u);
    for (const auto& r : resourceImages()) {
        SCOPED_TRACE(r.relativeName);
        auto img = platform::Image::imageWithContentsOfFile((folder / r.relativeName).string());
        ASSERT_NE(img, nullptr);
        EXPECT_EQ(img->pixelWidth(), r.pixelWidth);
        EXPECT_EQ(img->pixelHeight(), r.pixelHeight);
        EXPECT_EQ(img->scale(), 2);
        int inked = 0;
        for (int y = 0; y < img->pixelHeight(); ++y) {
            for (int x = 0; x < img->pixelWidth(); ++x) inked += img->pixel(x, y).a > 0.5;
        }
        EXPECT_GT(inked, 30) << "not blank";
    }
    EXPECT_EQ(std::filesystem::file_size(folder / "Sounds/count.aif"), makeCountSoundAiff().size());
    // The point sizes the views place them at.
    auto points = [](const std::string& name) {
        return platform::Image::imageWithContentsOfFile(name)->size();
    };
    EXPECT_EQ(points((folder / "Dimensions/indicatorHD@2x.png").string()), (CGSize{22.5, 16.5}));
    EXPECT_EQ(points((folder / "HorizontalAlignment/horizonBase@2x.png").string()),
              (CGSize{320, 320}));
}

TEST(Resources, HighlightedImagesDifferAndUnknownNamesGiveNothing) {
    auto a = renderResourceImage("HorizontalAlignment/horizonBase@2x.png");
    auto b = renderResourceImage("HorizontalAlignment/horizonBaseActivated@2x.png");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a->argb32(), b->argb32());
    EXPECT_EQ(renderResourceImage("Buttons/nothing.png"), nullptr);
    std::string error;
    EXPECT_FALSE(writeResources("/proc/no-such-place", &error));
    EXPECT_FALSE(error.empty());
}
