#include "apps/lumora3/photo/PhotoJob.h"

#include "apps/lumora3/photo/PhotoFiles.h"
#include "apps/lumora3/photo/StampDate.h"
#include "photo/PhotoRewrite.h"
#include "photo/StampDrawing.h"
#include "photo/StampLayout.h"
#include "platform/media/Exif.h"

namespace lumora::phototool {

namespace {

PhotoResult failed(std::string note) {
    return {PhotoOutcome::Failed, std::move(note)};
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// A photo left as it is: an output elsewhere still receives it, unchanged and with its times.
PhotoResult skipped(const PhotoJobOptions& options, const PhotoFile& photo,
                    const std::filesystem::path& out, std::string note) {
    std::string error;
    if (!options.dryRun && !options.inPlace &&
        !writePhotoFile(out, photo.bytes, photo.times, false, error)) {
        return failed(error);
    }
    return {PhotoOutcome::Skipped, std::move(note)};
}

// The stamp's text for this photo, or empty with `why` set when the photo has no date.
std::string stampText(const PhotoJobOptions& options, const PhotoFile& photo, std::string& why) {
    if (options.date)
        return timeStampText(*options.date, {options.includeTime, options.locale, ""});
    auto date = stampDateOf(photo.bytes, photo.times.modified);
    if (!date) {
        why = "no capture time (no EXIF date, no file time); give --date to stamp it";
        return {};
    }
    return timeStampText(date->when, {options.includeTime, options.locale, date->timeZone});
}

}  // namespace

PhotoResult processPhoto(const PhotoJobOptions& options, const std::filesystem::path& in,
                         const std::filesystem::path& out) {
    if (!options.inPlace && sameFile(in, out)) {
        return failed("the output is the input itself; use --in-place to rewrite it");
    }
    std::string error;
    auto photo = readPhotoFile(in, error);
    if (!photo) return failed(error);
    if (!platform::looksLikeJpeg(photo->bytes)) return failed("not a JPEG file");
    const auto header = platform::readJpegHeader(photo->bytes);
    if (!header) return failed("unreadable JPEG header (corrupt or too large)");
    const int tag = platform::readExifOrientation(photo->bytes).value_or(1);

    std::string text;
    const StampLayout layout = stampLayout(tag, header->width, header->height);
    platform::PixelRect box;
    if (options.operation == PhotoOperation::Stamp) {
        if (!layout.draws) {
            return skipped(
                options, *photo, out,
                "orientation " + std::to_string(tag) + " takes no stamp, kept unchanged");
        }
        if (header->cmyk) {
            return skipped(options, *photo, out, "a CMYK photo takes no stamp, kept unchanged");
        }
        std::string why;
        text = stampText(options, *photo, why);
        if (text.empty()) {
            return skipped(options, *photo, out,
                           why.empty() ? "cannot format the date, kept unchanged" : why);
        }
        const auto bounds = stampBounds(text, layout);
        if (!bounds || bounds->x >= header->width || bounds->y >= header->height ||
            bounds->x + bounds->width <= 0 || bounds->y + bounds->height <= 0) {
            return skipped(options, *photo, out, "too small for the stamp to show, kept unchanged");
        }
        box = *bounds;
    }
    if (options.dryRun) {
        return {PhotoOutcome::Done, options.operation == PhotoOperation::Unmirror
                                        ? "would un-mirror"
                                        : "would stamp \"" + text + "\""};
    }
    const std::optional<platform::Bytes> result = options.operation == PhotoOperation::Unmirror
                                                      ? unmirrorPhoto(photo->bytes, tag)
                                                      : stampPhoto(photo->bytes, text, layout, box);
    if (!result) return failed("corrupt or truncated JPEG data");
    // Kept durable before it replaces an original: a crash then leaves the old or the new photo.
    if (!writePhotoFile(out, *result, photo->times, options.inPlace, error)) return failed(error);
    return {PhotoOutcome::Done, std::string()};
}

}  // namespace lumora::phototool
