#include "platform/media/JpegCodec.h"

#include <turbojpeg.h>

#include <cstdlib>
#include <memory>

#include "platform/media/JpegHandle.h"

namespace platform {

namespace {

JpegSubsampling fromTj(int s) {
    switch (s) {
        case TJSAMP_444:
            return JpegSubsampling::S444;
        case TJSAMP_422:
            return JpegSubsampling::S422;
        case TJSAMP_420:
            return JpegSubsampling::S420;
        case TJSAMP_GRAY:
            return JpegSubsampling::Gray;
        case TJSAMP_440:
            return JpegSubsampling::S440;
        case TJSAMP_411:
            return JpegSubsampling::S411;
        default:
            return JpegSubsampling::Unknown;
    }
}

int toTj(JpegSubsampling s) {
    switch (s) {
        case JpegSubsampling::S444:
            return TJSAMP_444;
        case JpegSubsampling::S422:
            return TJSAMP_422;
        case JpegSubsampling::Gray:
            return TJSAMP_GRAY;
        case JpegSubsampling::S440:
            return TJSAMP_440;
        case JpegSubsampling::S411:
            return TJSAMP_411;
        default:
            return TJSAMP_420;
    }
}

}  // namespace

std::optional<JpegHeader> readJpegHeader(ByteSpan jpeg, const JpegLimits& limits) {
    if (!looksLikeJpeg(jpeg)) return std::nullopt;
    JpegHandle handle(JpegHandle::Kind::Decompress);
    if (!handle) return std::nullopt;
    int width = 0, height = 0, subsamp = -1, colorspace = -1;
    if (tjDecompressHeader3(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                            &width, &height, &subsamp, &colorspace) != 0) {
        return std::nullopt;
    }
    if (width <= 0 || height <= 0) return std::nullopt;
    if (std::int64_t{width} * height > limits.maxPixels) return std::nullopt;
    JpegHeader header;
    header.width = width;
    header.height = height;
    header.subsampling = fromTj(subsamp);
    header.cmyk = colorspace == TJCS_CMYK || colorspace == TJCS_YCCK;
    if (subsamp >= 0 && subsamp < TJ_NUMSAMP) {
        header.mcuWidth = tjMCUWidth[subsamp];
        header.mcuHeight = tjMCUHeight[subsamp];
    }
    return header;
}

std::optional<DecodedImage> decodeJpeg(ByteSpan jpeg, const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header) return std::nullopt;
    JpegHandle handle(JpegHandle::Kind::Decompress);
    if (!handle) return std::nullopt;
    DecodedImage image;
    image.width = header->width;
    image.height = header->height;
    image.stride = header->width * 4;
    image.pixels = std::make_unique_for_overwrite<std::uint8_t[]>(image.byteSize());
    const int flags = TJFLAG_ACCURATEDCT | TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;
    if (tjDecompress2(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                      image.pixels.get(), image.width, image.stride, image.height, TJPF_BGRX,
                      flags) != 0) {
        return std::nullopt;
    }
    return image;
}

std::optional<Bytes> encodeJpeg(const std::uint8_t* bgrx, int width, int height, int stride,
                                int quality, JpegSubsampling subsampling) {
    if (!bgrx || width <= 0 || height <= 0 || stride < width * 4 || quality < 1 || quality > 100)
        return std::nullopt;
    JpegHandle handle(JpegHandle::Kind::Compress);
    if (!handle) return std::nullopt;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjCompress2(handle.get(), bgrx, width, stride, height, TJPF_BGRX, &out, &outSize,
                               toTj(subsampling), quality, TJFLAG_ACCURATEDCT);
    std::unique_ptr<unsigned char, decltype(&tjFree)> owned(out, &tjFree);
    if (rc != 0 || !out) return std::nullopt;
    return Bytes(out, out + outSize);
}

}  // namespace platform
