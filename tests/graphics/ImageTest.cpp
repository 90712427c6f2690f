#include <gtest/gtest.h>
#include <turbojpeg.h>
#include "tests/common/ScratchDir.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "PixelHelpers.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Image.h"

using namespace platform;
using gfxtest::colourIs;

namespace {

std::string tempPath(const std::string& name) {
    auto dir = lumora::test::scratchDir("gfx-image-test");
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

ImageRef quarters() {
    // 2 x 2: red, green / blue, half-transparent white.
    return Image::fromRGBA(2, 2, 1,
                           {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128});
}

}  // namespace

TEST(Image, PngRoundTripKeepsPixelsAndTakesScaleFromTheName) {
    ImageRef img = quarters();
    ASSERT_NE(img, nullptr);
    const std::string path = tempPath("quarters@2x.png");
    ASSERT_TRUE(img->writePng(path));
    ImageRef back = Image::imageWithContentsOfFile(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->pixelWidth(), 2);
    EXPECT_EQ(back->scale(), 2);
    EXPECT_EQ(back->size().width, 1);
    EXPECT_TRUE(colourIs(back->pixel(1, 0), {0, 1, 0, 1}));
    EXPECT_TRUE(colourIs(back->pixel(1, 1), {1, 1, 1, 128 / 255.0}));
    EXPECT_EQ(back->rgbaBytes(), img->rgbaBytes());

    const std::string plain = tempPath("plain.png");
    ASSERT_TRUE(img->writePng(plain));
    EXPECT_EQ(Image::imageWithContentsOfFile(plain)->scale(), 1);
}

TEST(Image, MissingOrUnreadableFilesGiveNoImage) {
    EXPECT_EQ(Image::imageWithContentsOfFile(tempPath("does-not-exist.png")), nullptr);
    EXPECT_EQ(Image::imageWithContentsOfFile(""), nullptr);
    EXPECT_EQ(Image::imageWithContentsOfFile(std::filesystem::temp_directory_path()), nullptr);
    const std::string junk = tempPath("junk.png");
    std::ofstream(junk) << "\x89PNG\r\n\x1a\n but then nothing valid";
    EXPECT_EQ(Image::imageWithContentsOfFile(junk), nullptr);
    const std::string truncatedJpeg = tempPath("cut.jpg");
    std::ofstream(truncatedJpeg) << "\xff\xd8\xff\xe0 cut";
    EXPECT_EQ(Image::imageWithContentsOfFile(truncatedJpeg), nullptr);
    EXPECT_EQ(Image::fromRGBA(2, 2, 1, {1, 2, 3}), nullptr);
    EXPECT_EQ(Image::fromRGBA(0, 2, 1, {}), nullptr);
}

TEST(Image, JpegDecodes) {
    // Encode a 16 x 8 half-red half-blue picture with TurboJPEG, then read it back.
    std::vector<uint8_t> rgb(16 * 8 * 3);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = &rgb[(y * 16 + x) * 3];
            p[0] = x < 8 ? 255 : 0;
            p[2] = x < 8 ? 0 : 255;
        }
    }
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(tj, rgb.data(), 16, 0, 8, TJPF_RGB, &jpeg, &size, TJSAMP_444, 95, 0), 0);
    std::vector<uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(tj);
    ImageRef img = Image::imageWithData(bytes);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->pixelWidth(), 16);
    EXPECT_EQ(img->pixelHeight(), 8);
    EXPECT_TRUE(colourIs(img->pixel(2, 4), {1, 0, 0, 1}, 0.05));
    EXPECT_TRUE(colourIs(img->pixel(13, 4), {0, 0, 1, 1}, 0.05));
}

TEST(Image, DrawImageStretchesIntoTheRectAndNullDrawsNothing) {
    BitmapContext ctx(8, 8);
    ctx.drawImage(CGRectMake(0, 0, 8, 8), nullptr);
    EXPECT_EQ(gfxtest::countOpaque(ctx, 0.01), 0);
    ImageRef img = quarters();
    ctx.drawImage(CGRectMake(0, 0, 8, 8), img.get());
    EXPECT_TRUE(colourIs(ctx.pixel(0, 0), {1, 0, 0, 1}, 0.05));
    EXPECT_TRUE(colourIs(ctx.pixel(7, 0), {0, 1, 0, 1}, 0.05));
    EXPECT_TRUE(colourIs(ctx.pixel(0, 7), {0, 0, 1, 1}, 0.05)) << "drawn upright, row 0 on top";
    // The snapshot reads the same pixels back.
    ImageRef snap = ctx.makeImage();
    ASSERT_NE(snap, nullptr);
    EXPECT_EQ(snap->pixel(7, 0), ctx.pixel(7, 0));
}

TEST(Image, WritePngOfAContextLoadsBack) {
    BitmapContext ctx(6, 4, 2);
    ctx.setFillColor({0, 0.5, 1, 1});
    ctx.fillRect(CGRectMake(0, 0, 3, 2));
    const std::string path = tempPath("ctx.png");
    ASSERT_TRUE(ctx.writePng(path));
    ImageRef img = Image::imageWithContentsOfFile(path);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->pixelWidth(), 6);
    EXPECT_TRUE(colourIs(img->pixel(3, 2), {0, 0.5, 1, 1}));
    EXPECT_FALSE(ctx.writePng("/nonexistent-dir/x.png"));
}
