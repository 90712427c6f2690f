#include "platform/media/JpegTransform.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/media/JpegHandle.h"

namespace platform {

namespace {

bool sameMetadata(ByteSpan a, ByteSpan b) {
    auto ma = metadataSegments(a);
    auto mb = metadataSegments(b);
    return std::equal(ma.begin(), ma.end(), mb.begin(), mb.end(), [](ByteSpan x, ByteSpan y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end());
    });
}

}  // namespace

bool canFlipLosslessly(const JpegHeader& header, JpegFlip flip) {
    if (header.subsampling == JpegSubsampling::Unknown) return false;
    return flip == JpegFlip::Horizontal ? header.width % header.mcuWidth == 0
                                        : header.height % header.mcuHeight == 0;
}

std::optional<Bytes> flipJpegLossless(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header || !canFlipLosslessly(*header, flip)) return std::nullopt;
    JpegHandle handle(JpegHandle::Kind::Transform);
    if (!handle) return std::nullopt;

    tjtransform transform{};
    transform.op = flip == JpegFlip::Horizontal ? TJXOP_HFLIP : TJXOP_VFLIP;
    transform.options = TJXOPT_PERFECT;  // markers are copied unless TJXOPT_COPYNONE is set
    // One buffer of the worst-case size (any picture, plus the copied markers) instead of one
    // that doubles as it fills: only the pages written are touched, nothing is copied on the way.
    const unsigned long bound = tjBufSize(header->width, header->height, TJSAMP_444);
    if (bound == static_cast<unsigned long>(-1) || bound + jpeg.size() > INT32_MAX)
        return std::nullopt;
    unsigned long outSize = bound + static_cast<unsigned long>(jpeg.size());
    unsigned char* out = tjAlloc(static_cast<int>(outSize));
    std::unique_ptr<unsigned char, decltype(&tjFree)> owned(out, &tjFree);
    if (!out) return std::nullopt;
    const int rc = tjTransform(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                               1, &out, &outSize, &transform,
                               TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS | TJFLAG_NOREALLOC);
    if (rc != 0) return std::nullopt;

    ByteSpan flipped(out, outSize);
    // The transformer copies APPn and COM markers, but it re-creates JFIF and Adobe headers
    // rather than copying them; put the original segments back whenever they differ.
    if (sameMetadata(jpeg, flipped)) return Bytes(flipped.begin(), flipped.end());
    return spliceMetadata(jpeg, flipped);
}

}  // namespace platform
