// The photo tool's rewrite of one file, as `lumora3 photo` does it: header, orientation, then
// un-mirror and date stamp. Any result must be a JPEG of the same size and orientation; the
// pixel limit is kept small so each input is quick.

#include "fuzz/FuzzTargets.h"
#include "photo/PhotoRewrite.h"
#include "photo/StampLayout.h"
#include "platform/media/Exif.h"

namespace lumora::fuzz {
namespace {

constexpr platform::JpegLimits kLimits{1 << 20};

void checkResult(const std::optional<platform::Bytes>& result, const platform::JpegHeader& in,
                 int tag, bool inputDecodes, const char* what) {
    if (!result) return;
    const auto out = platform::readJpegHeader(*result, kLimits);
    fuzzCheck(out && out->width == in.width && out->height == in.height, what);
    fuzzCheck(platform::readExifOrientation(*result).value_or(1) == tag, what);
    // A sound photo is never rewritten into one that does not decode cleanly.
    if (inputDecodes) fuzzCheck(platform::decodeJpeg(*result, kLimits).has_value(), what);
}

}  // namespace

void photoTarget(const std::uint8_t* data, std::size_t size) {
    const platform::ByteSpan file{data, size};
    if (!platform::looksLikeJpeg(file)) return;
    const auto header = platform::readJpegHeader(file, kLimits);
    if (!header) return;
    const auto stored = platform::readExifOrientation(file);
    const int tag = stored.value_or(1);
    const bool decodes = platform::decodeJpeg(file, kLimits).has_value();
    checkResult(unmirrorPhoto(file, tag, kLimits), *header, tag, decodes,
                "un-mirrored photo changed size or orientation, or does not decode");
    if (stampLayout(tag, header->width, header->height).draws)
        checkResult(stampPhoto(file, tag, "12/7/26, 9:41 PM", kLimits), *header, tag, decodes,
                    "stamped photo changed size or orientation, or does not decode");
}

}  // namespace lumora::fuzz
