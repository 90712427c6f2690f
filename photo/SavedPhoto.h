#pragma once
// The photo-saving step of the asset saver: whether a photo on its way to the library is
// rewritten (un-mirrored or time-stamped) and the new surface that carries it. Runs on the
// host's saving queue; reads the add-on's settings once per photo, atomically.

#include <optional>

#include "platform/foundation/Value.h"
#include "platform/media/IOSurface.h"
#include "platform/media/JpegCodec.h"

namespace lumora {

// Job dictionary keys: the EXIF orientation tag of the stored picture (read) and the byte size
// of the photo surface (written when the photo is replaced).
inline constexpr const char* kImageOrientationKey = "ImageOrientation";
inline constexpr const char* kPhotoSurfaceSizeKey = "kPLCameraPhotoSurfaceSizeKey";

enum class SavedPhotoPath { Keep, Unmirror, TimeStamp };

// What decides the path, taken once per photo.
struct SavedPhotoSettings {
    bool unMirrorSelfies = false;
    bool timeStampVisible = false;
    bool timeStampVisibleAndPlace = false;
    bool timestampIncludeTime = false;
    bool isBursting = false;

    // One load of each of the add-on's atomics.
    static SavedPhotoSettings current();
};

// Front-camera photos are un-mirrored when asked (and then never stamped); otherwise photos are
// stamped when both stamp settings are on and no burst runs. The camera is the one that took the
// photo (StillCamera.h), asked only when un-mirroring could apply.
SavedPhotoPath chooseSavedPhotoPath(const SavedPhotoSettings& settings, bool hasSurface);

// The JPEG bytes of a photo surface: its whole allocation, or the job's size key when that is
// smaller (a surface may be allocated larger than its photo). Empty for a null surface.
platform::ByteSpan photoSurfaceBytes(IOSurfaceRef surface, const ns::Dictionary* job);

// The job's orientation tag; without a number there, the photo's own EXIF tag; else 0.
int savedPhotoOrientation(const ns::Dictionary* job, platform::ByteSpan jpeg);

// A new surface made as the photo library expects it ("IOSurfaceAllocSize" = the JPEG's length
// as a 32-bit number) holding the JPEG; null when it cannot be made.
platform::IOSurfacePtr makePhotoSurface(platform::ByteSpan jpeg);

// Rewrites the photo of one save job along the chosen path. Returns the new surface (with the
// job's size key set to its allocation size), or null when the photo stays as it is: nothing
// to do, bytes that do not decode within the limits, or no memory. The received surface is
// never written to. Never throws.
platform::IOSurfacePtr rewriteSavedPhoto(ns::Dictionary* job, IOSurfaceRef image,
                                         const platform::JpegLimits& limits = {});

}  // namespace lumora
