#pragma once
// Reading and writing the EXIF orientation tag of a JPEG file. Corrupt, truncated or hostile
// EXIF blocks give "no tag"; writing never disturbs the rest of the metadata.

#include <optional>

#include "platform/media/JpegSegments.h"

namespace platform {

// The orientation tag (1-8) of the file's EXIF block; nullopt when there is no EXIF block, no
// orientation entry, or the entry is unreadable or out of range.
std::optional<int> readExifOrientation(ByteSpan jpeg);

// The file with its orientation tag set to `tag` (1-8). An existing entry is patched in place,
// leaving every other byte as it was; otherwise the EXIF block is rebuilt with the entry added
// (or created when the file has none). nullopt for an invalid tag or a file whose header cannot
// be parsed.
std::optional<Bytes> writeExifOrientation(ByteSpan jpeg, int tag);

}  // namespace platform
