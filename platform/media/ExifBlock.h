#pragma once
// libexif over one EXIF segment: loading its payload with nothing repaired or added, and saving
// it back as a whole APP1 segment. Shared by the orientation and capture-time readers and
// writers.

#include <libexif/exif-data.h>

#include <memory>
#include <optional>

#include "platform/media/JpegSegments.h"

namespace platform::exif {

struct DataDeleter {
    void operator()(ExifData* d) const { exif_data_unref(d); }
};
using DataPtr = std::unique_ptr<ExifData, DataDeleter>;

// libexif parses the whole block given to it: it gets only a segment's payload, at most 64 KB,
// so a broken file cannot make it read or allocate without bound. Entries stay exactly as
// stored: no repairs, no added mandatory tags, maker notes untouched. Null when out of memory.
DataPtr load(ByteSpan payload);

// The file with `data` saved in place of its EXIF segment, or, when it has none, right after
// SOI (and a leading JFIF header); nullopt when the header does not parse or `data` does not fit
// in one segment.
std::optional<Bytes> withSegment(ByteSpan jpeg, ExifData* data);

}  // namespace platform::exif
