#include "platform/media/Exif.h"

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cstdlib>
#include <memory>

#include "platform/media/ExifBlock.h"
#include "platform/media/ExifOrientation.h"

namespace platform {

namespace {

constexpr ExifTag kOrientationTag = EXIF_TAG_ORIENTATION;
constexpr std::size_t kExifHeader = 6;  // "Exif\0\0" before the TIFF structure
using exif::DataPtr;

// Offset (in the file) of the 2-byte value of IFD0's orientation entry, found by walking the
// TIFF structure with every read bounds-checked; nullopt when absent or malformed.
std::optional<std::size_t> orientationValueOffset(ByteSpan file, const JpegSegment& segment,
                                                  bool& bigEndian) {
    const ByteSpan tiff = segment.payload(file).subspan(kExifHeader);
    const std::size_t tiffStart = segment.offset + 4 + kExifHeader;
    if (tiff.size() < 8) return std::nullopt;
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        bigEndian = true;
    } else if (tiff[0] == 'I' && tiff[1] == 'I') {
        bigEndian = false;
    } else {
        return std::nullopt;
    }
    auto u16 = [&](std::size_t at) -> unsigned {
        return bigEndian ? (tiff[at] << 8) | tiff[at + 1] : tiff[at] | (tiff[at + 1] << 8);
    };
    auto u32 = [&](std::size_t at) -> std::uint32_t {
        return bigEndian ? (std::uint32_t{u16(at)} << 16) | u16(at + 2)
                         : u16(at) | (std::uint32_t{u16(at + 2)} << 16);
    };
    // The TIFF magic number: without it the EXIF reader ignores the whole block, so patching an
    // entry in it would change nothing anyone reads.
    if (u16(2) != 42) return std::nullopt;
    const std::size_t ifd = u32(4);
    if (ifd > tiff.size() || tiff.size() - ifd < 2) return std::nullopt;
    const std::size_t count = u16(ifd);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (entry + 12 > tiff.size()) return std::nullopt;
        if (u16(entry) != kOrientationTag) continue;
        const bool shortType = u16(entry + 2) == EXIF_FORMAT_SHORT;
        if (!shortType || u32(entry + 4) != 1) return std::nullopt;
        return tiffStart + entry + 8;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> readExifOrientation(ByteSpan jpeg) {
    auto segment = findExifSegment(jpeg);
    if (!segment) return std::nullopt;
    DataPtr data = exif::load(segment->payload(jpeg));
    if (!data) return std::nullopt;
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], kOrientationTag);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components != 1 || !entry->data ||
        entry->size < 2) {
        return std::nullopt;
    }
    const int tag = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    if (!isValidExifOrientation(tag)) return std::nullopt;
    return tag;
}

std::optional<Bytes> writeExifOrientation(ByteSpan jpeg, int tag) {
    if (!isValidExifOrientation(tag)) return std::nullopt;
    auto header = parseJpegHeader(jpeg);
    if (!header) return std::nullopt;
    auto segment = findExifSegment(jpeg);

    // Patch the entry in place, provided the reader then sees it (a block it cannot load, or an
    // earlier entry it prefers, would leave the patch unread): otherwise rebuild the block.
    if (segment) {
        bool bigEndian = false;
        if (auto at = orientationValueOffset(jpeg, *segment, bigEndian)) {
            Bytes out(jpeg.begin(), jpeg.end());
            out[*at] = static_cast<std::uint8_t>(bigEndian ? 0 : tag);
            out[*at + 1] = static_cast<std::uint8_t>(bigEndian ? tag : 0);
            if (readExifOrientation(out) == tag) return out;
        }
    }

    // No entry to patch: rebuild the block through libexif with the entry added.
    DataPtr data = segment ? exif::load(segment->payload(jpeg)) : DataPtr(exif_data_new());
    if (!data) return std::nullopt;
    if (!segment) exif_data_set_byte_order(data.get(), EXIF_BYTE_ORDER_MOTOROLA);
    ExifContent* ifd0 = data->ifd[EXIF_IFD_0];
    ExifEntry* entry = exif_content_get_entry(ifd0, kOrientationTag);
    // Entries of the wrong shape go; a hostile block may repeat the tag.
    while (entry && (entry->format != EXIF_FORMAT_SHORT || entry->components != 1)) {
        exif_content_remove_entry(ifd0, entry);
        entry = exif_content_get_entry(ifd0, kOrientationTag);
    }
    if (!entry) {
        ExifEntry* added = exif_entry_new();
        if (!added) return std::nullopt;
        // The IFD refuses an entry whose tag it already holds (a new entry's tag is 0, which a
        // hostile block may hold): name the tag first, and let go of our reference only once the
        // IFD has taken its own, or the entry would be freed while still in use.
        added->tag = kOrientationTag;
        exif_content_add_entry(ifd0, added);
        const bool taken = added->parent == ifd0;
        if (taken) exif_entry_initialize(added, kOrientationTag);
        exif_entry_unref(added);
        if (!taken) return std::nullopt;
        entry = added;
    }
    if (!entry->data || entry->size < 2) return std::nullopt;
    exif_set_short(entry->data, exif_data_get_byte_order(data.get()), static_cast<ExifShort>(tag));
    auto out = exif::withSegment(jpeg, data.get());
    if (!out) return std::nullopt;
    // Never report a tag written that does not read back.
    if (readExifOrientation(*out) != tag) return std::nullopt;
    return out;
}

}  // namespace platform
