// The flips and the region edit on coded blocks give the very pictures libjpeg's whole-picture
// coefficient path gives, keep the file's header byte for byte, copy untouched MCUs as they are
// coded, and decline (leaving the work to libjpeg) what they cannot do.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/media/JpegBaseline.h"
#include "platform/media/JpegCodedTransform.h"
#include "platform/media/JpegHuffman.h"
#include "platform/media/JpegRegionEdit.h"
#include "platform/media/JpegTransform.h"
#include "tests/common/SampleJpegs.h"

using namespace platform;

namespace {

using lumora::test::SampleJpeg;

std::string describe(const SampleJpeg& e) {
    return std::to_string(e.width) + "x" + std::to_string(e.height) + " " +
           (e.components == 3 ? std::to_string(e.h) + "x" + std::to_string(e.v)
                              : std::string("grey")) +
           " restart " + std::to_string(e.restartMcus) + (e.optimize ? " optimized" : "");
}

SampleJpeg layout(int width, int height, int components, int h, int v, int restart,
                  bool optimize = false, bool progressive = false) {
    SampleJpeg e;
    e.width = width;
    e.height = height;
    e.components = components;
    e.h = h;
    e.v = v;
    e.restartMcus = restart;
    e.optimize = optimize;
    e.progressive = progressive;
    e.noise = true;
    return e;
}

Bytes encode(const SampleJpeg& e) {
    return lumora::test::makeJpeg(e);
}

std::vector<SampleJpeg> layouts() {
    std::vector<SampleJpeg> all;
    for (auto [h, v] : {std::pair{2, 2}, {2, 1}, {1, 2}, {1, 1}, {0, 0}}) {
        const int components = h ? 3 : 1;
        for (int restart : {0, 1, 5, -1}) {
            all.push_back(layout(64, 48, components, h, v, restart));
            // Partial MCUs along one edge (for 4:2:0): the bottom one, then the right one.
            all.push_back(layout(64, 40, components, h, v, restart));
            all.push_back(layout(72, 48, components, h, v, restart));
        }
    }
    all.push_back(layout(96, 64, 3, 2, 2, 3, true));  // tables fitted to the picture
    return all;
}

void expectSamePicture(const Bytes& a, const Bytes& b, const std::string& what) {
    auto da = decodeJpeg(a), db = decodeJpeg(b);
    ASSERT_TRUE(da && db) << what;
    ASSERT_EQ(da->width, db->width) << what;
    ASSERT_EQ(da->height, db->height) << what;
    EXPECT_EQ(0, std::memcmp(da->pixels.get(), db->pixels.get(), da->byteSize())) << what;
}

std::size_t scanStart(const Bytes& jpeg) {
    auto pic = baseline::parse(jpeg);
    return pic ? pic->scanDataStart : 0;
}

RegionPainter invertRect(int x0, int y0, int x1, int y1) {
    return [=](std::uint8_t* px, int w, int h, int stride, int ox, int oy) {
        for (int y = std::max(y0, oy); y < std::min(y1, oy + h); ++y)
            for (int x = std::max(x0, ox); x < std::min(x1, ox + w); ++x)
                for (int c = 0; c < 3; ++c)
                    px[static_cast<std::size_t>(y - oy) * stride + (x - ox) * 4 + c] ^= 0xFF;
        return true;
    };
}

}  // namespace

TEST(JpegCodedTransform, FlipsGiveLibjpegsPictureAndKeepTheHeader) {
    for (const SampleJpeg& e : layouts()) {
        const Bytes jpeg = encode(e);
        for (JpegFlip flip : {JpegFlip::Horizontal, JpegFlip::Vertical}) {
            const std::string what = describe(e) + (flip == JpegFlip::Vertical ? " V" : " H");
            auto reference = flipJpegByCoefficients(jpeg, flip);
            auto coded = baseline::flipCoded(jpeg, flip);
            if (!reference) {  // not whole MCUs along the flipped edge
                EXPECT_FALSE(coded) << what;
                continue;
            }
            // Tables fitted to the picture may lack a DC difference the new order needs.
            if (!coded && e.optimize) {
                expectSamePicture(*flipJpegLossless(jpeg, flip), *reference, what);
                continue;
            }
            ASSERT_TRUE(coded) << what;
            expectSamePicture(*coded, *reference, what);
            const std::size_t header = scanStart(jpeg);
            ASSERT_GT(header, 0u);
            EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.begin() + header, coded->begin())) << what;
            // Flipping back gives the original coefficients, hence the original file.
            EXPECT_EQ(jpeg, baseline::flipCoded(*coded, flip).value_or(Bytes{})) << what;
        }
    }
}

TEST(JpegCodedTransform, RegionEditGivesLibjpegsPictureAndCopiesUntouchedMcus) {
    for (const SampleJpeg& e : layouts()) {
        const Bytes jpeg = encode(e);
        for (PixelRect r : {PixelRect{0, 0, 9, 9}, PixelRect{20, 17, 30, 12},
                            PixelRect{e.width - 5, e.height - 3, 40, 40}}) {
            const std::string what = describe(e) + " at " + std::to_string(r.x);
            const auto paint = invertRect(r.x, r.y, r.x + r.width, r.y + r.height);
            auto reference = editJpegRegionByCoefficients(jpeg, r, paint);
            ASSERT_TRUE(reference) << what;
            // Fitted tables may lack a code the edit needs: the coded edit then declines.
            auto coded = baseline::editRegionCoded(jpeg, r, paint);
            ASSERT_TRUE(coded || e.optimize) << what;
            expectSamePicture(coded ? *coded : *editJpegRegion(jpeg, r, paint), *reference, what);
        }
        // A painter that changes nothing gives back the very same file: every MCU's bits are
        // copied or coded again exactly as they were.
        auto same = baseline::editRegionCoded(
            jpeg, {10, 10, 20, 20}, [](std::uint8_t*, int, int, int, int, int) { return true; });
        EXPECT_EQ(jpeg, same.value_or(Bytes{})) << describe(e);
    }
}

TEST(JpegCodedTransform, FillBytesBeforeAStuffedByteAreCopiedWhole) {
    // 0xFF fill bytes may stand before the 0x00 of a stuffed 0xFF: still one byte of data. The
    // edit copies the bytes before its first MCU as the file has them, so it must count them so.
    Bytes jpeg = encode(layout(64, 48, 3, 2, 2, 0));
    std::size_t at = scanStart(jpeg);
    while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] == 0x00)) ++at;
    ASSERT_LT(at + 1, jpeg.size()) << "no stuffed byte in the scan";
    jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), {0xFF, 0xFF, 0xFF});
    const auto paint = invertRect(48, 32, 64, 48);
    auto coded = baseline::editRegionCoded(jpeg, {48, 32, 16, 16}, paint);
    ASSERT_TRUE(coded);
    expectSamePicture(*coded, *editJpegRegionByCoefficients(jpeg, {48, 32, 16, 16}, paint),
                      "fill bytes");
}

TEST(JpegCodedTransform, DeclinesWhatItCannotDoAndThePublicCallsStillWork) {
    const Bytes progressive = encode(layout(64, 48, 3, 2, 2, 0, false, true));
    EXPECT_FALSE(baseline::parse(progressive));
    EXPECT_FALSE(baseline::flipCoded(progressive, JpegFlip::Vertical));
    auto flipped = flipJpegLossless(progressive, JpegFlip::Vertical);
    ASSERT_TRUE(flipped);
    expectSamePicture(*flipped, *flipJpegByCoefficients(progressive, JpegFlip::Vertical),
                      "progressive");

    // Tables fitted to one picture lack codes an edit may need: then libjpeg does the edit.
    const Bytes fitted = encode(layout(64, 48, 3, 2, 2, 0, true));
    const auto paint = invertRect(0, 0, 64, 48);
    auto edited = editJpegRegion(fitted, {0, 0, 64, 48}, paint);
    ASSERT_TRUE(edited);
    expectSamePicture(*edited, *editJpegRegionByCoefficients(fitted, {0, 0, 64, 48}, paint),
                      "fitted tables");

    // Broken data: a cut scan, a restart marker out of order, bytes left after a scan, a
    // picture over the limit. Nothing is made of them, on either path.
    const Bytes good = encode(layout(64, 48, 3, 2, 2, 1));
    Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() - 40));
    Bytes misordered = good;
    Bytes extra = good;
    auto markerAt = [&](std::uint8_t code) {
        std::size_t i = scanStart(good);
        while (i + 1 < good.size() && !(good[i] == 0xFF && good[i + 1] == code)) ++i;
        return static_cast<std::ptrdiff_t>(i);
    };
    misordered[static_cast<std::size_t>(markerAt(0xD1)) + 1] = 0xD3;
    const std::uint8_t junk[] = {0x12, 0x34};
    extra.insert(extra.begin() + markerAt(0xD0), junk, junk + 2);
    for (const Bytes* bad : {&cut, &misordered, &extra}) {
        SCOPED_TRACE(bad == &cut ? "cut" : bad == &misordered ? "misordered" : "extra");
        EXPECT_FALSE(baseline::flipCoded(*bad, JpegFlip::Vertical));
        EXPECT_FALSE(flipJpegLossless(*bad, JpegFlip::Vertical));
        EXPECT_FALSE(baseline::editRegionCoded(*bad, {0, 0, 64, 48}, paint));
    }
    EXPECT_FALSE(baseline::parse(good, JpegLimits{64 * 48 - 1}));
    // A Huffman table with more codes than its lengths hold is refused before it is built.
    baseline::HuffmanTable overfull;
    overfull.counts[1] = 3;
    overfull.counts[9] = 200;
    baseline::HuffmanDecoder decoder;
    baseline::HuffmanEncoder encoder;
    EXPECT_FALSE(decoder.build(overfull));
    EXPECT_FALSE(encoder.build(overfull));

    // Every byte of the header and many of the scan changed in turn: never a crash or a read
    // out of bounds (run under the sanitizers), whatever comes out.
    for (std::size_t i = 2; i < good.size(); i += i < scanStart(good) ? 1 : 3) {
        Bytes hit = good;
        hit[i] ^= 0x5A;
        (void)baseline::flipCoded(hit, JpegFlip::Horizontal);
        (void)baseline::editRegionCoded(hit, {30, 20, 10, 10}, paint);
    }
}
