#include "photo/SavedPhoto.h"

#include <cstring>
#include <exception>
#include <limits>

#include "core/TweakState.h"
#include "photo/PhotoClock.h"
#include "photo/PhotoRewrite.h"
#include "photo/StampLayout.h"
#include "photo/StillCamera.h"
#include "platform/foundation/Locale.h"
#include "platform/media/Exif.h"

namespace lumora {

SavedPhotoSettings SavedPhotoSettings::current() {
    const TweakState& s = state();
    SavedPhotoSettings settings;
    settings.unMirrorSelfies = s.unMirrorSelfies.load();
    settings.timeStampVisible = s.timeStampVisible.load();
    settings.timeStampVisibleAndPlace = s.timeStampVisibleAndPlace.load();
    settings.timestampIncludeTime = s.timestampIncludeTime.load();
    settings.isBursting = s.isBursting.load();
    return settings;
}

SavedPhotoPath chooseSavedPhotoPath(const SavedPhotoSettings& settings, bool hasSurface) {
    if (settings.unMirrorSelfies && hasSurface && stillSavedWithFrontCamera()) {
        return SavedPhotoPath::Unmirror;
    }
    if (settings.timeStampVisible && settings.timeStampVisibleAndPlace && !settings.isBursting) {
        return SavedPhotoPath::TimeStamp;
    }
    return SavedPhotoPath::Keep;
}

platform::ByteSpan photoSurfaceBytes(IOSurfaceRef surface, const ns::Dictionary* job) {
    const auto* base = static_cast<const std::uint8_t*>(IOSurfaceGetBaseAddress(surface));
    if (base == nullptr) return {};
    std::size_t size = IOSurfaceGetAllocSize(surface);
    if (job != nullptr) {
        if (const ns::Value* v = job->get(kPhotoSurfaceSizeKey); v != nullptr && v->isNumber()) {
            const long long declared = v->longLongValue().value_or(0);
            if (declared > 0 && static_cast<unsigned long long>(declared) < size) {
                size = static_cast<std::size_t>(declared);
            }
        }
    }
    return {base, size};
}

int savedPhotoOrientation(const ns::Dictionary* job, platform::ByteSpan jpeg) {
    if (job != nullptr) {
        if (const ns::Value* v = job->get(kImageOrientationKey); v != nullptr && v->isNumber()) {
            return v->intValue().value_or(0);
        }
    }
    return platform::readExifOrientation(jpeg).value_or(0);
}

platform::IOSurfacePtr makePhotoSurface(platform::ByteSpan jpeg) {
    if (jpeg.empty() ||
        jpeg.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return nullptr;
    }
    ns::Dictionary properties;
    properties.set(kIOSurfaceAllocSize, ns::Value(static_cast<std::int32_t>(jpeg.size())));
    platform::IOSurfacePtr surface = platform::adoptIOSurface(IOSurfaceCreate(properties));
    void* base = IOSurfaceGetBaseAddress(surface.get());
    if (base == nullptr) return nullptr;
    std::memcpy(base, jpeg.data(), jpeg.size());
    return surface;
}

namespace {

std::optional<platform::Bytes> rewrite(SavedPhotoPath path, const SavedPhotoSettings& settings,
                                       const ns::Dictionary* job, platform::ByteSpan jpeg,
                                       const platform::JpegLimits& limits) {
    const int orientation = savedPhotoOrientation(job, jpeg);
    switch (path) {
        case SavedPhotoPath::Unmirror:
            return unmirrorPhoto(jpeg, orientation, limits);
        case SavedPhotoPath::TimeStamp: {
            // The text is made only for the orientations that carry a stamp.
            if (!stampLayout(orientation, 1, 1).draws) return std::nullopt;
            const std::string text =
                timeStampText(photoNow(), {settings.timestampIncludeTime,
                                           NSLocale::currentLocaleIdentifier(), std::string()});
            return stampPhoto(jpeg, orientation, text, limits);
        }
        case SavedPhotoPath::Keep:
            break;
    }
    return std::nullopt;
}

}  // namespace

platform::IOSurfacePtr rewriteSavedPhoto(ns::Dictionary* job, IOSurfaceRef image,
                                         const platform::JpegLimits& limits) {
    // A photo that cannot be rewritten, for whatever reason (lack of memory included), is saved
    // as the host made it: nothing here may keep the host from saving it.
    try {
        const SavedPhotoSettings settings = SavedPhotoSettings::current();
        const SavedPhotoPath path = chooseSavedPhotoPath(settings, image != nullptr);
        if (path == SavedPhotoPath::Keep) return nullptr;
        const platform::ByteSpan jpeg = photoSurfaceBytes(image, job);
        if (jpeg.empty()) return nullptr;
        std::optional<platform::Bytes> rewritten = rewrite(path, settings, job, jpeg, limits);
        if (!rewritten) return nullptr;
        platform::IOSurfacePtr surface = makePhotoSurface(*rewritten);
        if (!surface) return nullptr;
        if (job != nullptr) {
            job->set(kPhotoSurfaceSizeKey, static_cast<long>(IOSurfaceGetAllocSize(surface.get())));
        }
        return surface;
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace lumora
