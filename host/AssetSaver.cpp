#include "host/AssetSaver.h"

#include <cstdio>
#include <cstring>

#include "host/HostCall.h"
#include "host/StillCache.h"
#include "platform/foundation/FileSystem.h"
#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"

namespace host {
namespace {

constexpr const char* kOrientationKey = "ImageOrientation";
constexpr const char* kSurfaceSizeKey = "kPLCameraPhotoSurfaceSizeKey";

platform::Bytes encode(const Picture& pic, int exifTag) {
    if (pic.pixels.empty()) return {};
    auto jpeg = platform::encodeJpeg(reinterpret_cast<const std::uint8_t*>(pic.pixels.data()),
                                     pic.width, pic.height, pic.width * 4, AssetSaver::kJpegQuality,
                                     platform::JpegSubsampling::S420);
    if (!jpeg) return {};
    if (auto tagged = platform::writeExifOrientation(*jpeg, exifTag)) return std::move(*tagged);
    return std::move(*jpeg);
}

// The IMG_nnnn number of a file name, or 0.
int numberOf(const std::string& name) {
    int n = 0;
    char ext[8] = {};
    if (name.size() != 12 || std::sscanf(name.c_str(), "IMG_%4d.%3s", &n, ext) != 2) return 0;
    return std::strcmp(ext, "JPG") == 0 || std::strcmp(ext, "MOV") == 0 ||
                   std::strcmp(ext, "PNG") == 0
               ? n
               : 0;
}

}  // namespace

AssetSaver::AssetSaver() = default;

AssetSaver::~AssetSaver() {
    queue_.drain();
}

void AssetSaver::save(std::shared_ptr<StillImageResponse> response,
                      hostapi::RequestEnqueuedBlock enqueued,
                      hostapi::SaveCompletionBlock completion) {
    // `this` outlives the block: the destructor drains the queue first.
    queue_.async([this, response = std::move(response), enqueued = std::move(enqueued),
                  completion = std::move(completion)]() mutable {
        call<hostsel::CAMAssetSaver::
                 saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock>(
            this, static_cast<id>(response.get()), std::move(enqueued), std::move(completion));
    });
}

std::vector<std::string> AssetSaver::savedPaths() const {
    std::lock_guard lock(savedMutex_);
    return saved_;
}

std::shared_ptr<ImageJob> AssetSaver::makeJob(const StillImageResponse& r) {
    const int tag = r.request ? r.request->exifOrientation : 1;
    auto job = std::make_shared<ImageJob>();
    const StillKey key{r.shot, r.stillWidth, r.stillHeight, tag};
    const auto still = StillCache::shared().get(key, [&] {
        EncodedStill made;
        made.jpeg = encode(renderStored(r.shot, r.stillWidth, r.stillHeight, tag), tag);
        // The preview the library shows first: a small upright picture.
        const bool sideways = tag == 6 || tag == 8;
        const int pw = sideways ? 120 : 160, ph = sideways ? 160 : 120;
        made.preview = encode(renderUpright(r.shot, pw, ph), 1);
        return made;
    });
    const platform::Bytes& jpeg = still->jpeg;
    const platform::Bytes& preview = still->preview;
    job->image = platform::makeIOSurfaceWithBytes(jpeg.data(), jpeg.size());
    job->preview = platform::makeIOSurfaceWithBytes(preview.data(), preview.size());
    job->dictionary.set(kOrientationKey, static_cast<long>(tag));
    job->dictionary.set(kSurfaceSizeKey, static_cast<long>(jpeg.size()));
    if (r.request) {
        job->dictionary.set("CaptureNumber", static_cast<long>(r.request->number));
        job->dictionary.set("Burst", r.request->burst);
    }
    return job;
}

void AssetSaver::hostSaveResponse(id response, hostapi::RequestEnqueuedBlock enqueued,
                                  hostapi::SaveCompletionBlock completion) {
    id answered =
        call<hostsel::CAMAssetSaver::_imageJobForStillImageCaptureResponse>(this, response);
    auto* job = dynamic_cast<ImageJob*>(answered);
    if (job == nullptr) {
        // Whatever answered is not a job: make one so the photo is not lost.
        const auto* r = dynamic_cast<StillImageResponse*>(response);
        if (r == nullptr) {
            log().record("saveFailed", "no capture response");
            if (completion) completion(false);
            return;
        }
        jobs_.push_back(makeJob(*r));
        job = jobs_.back().get();
    }
    call<
        hostsel::CAMAssetSaver::
            queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient>(
        this, &job->dictionary, static_cast<id>(job), std::move(enqueued), std::move(completion),
        job->image.get(), job->preview.get(), false);
    jobs_.clear();
}

id AssetSaver::hostImageJob(id response) {
    const auto* r = dynamic_cast<StillImageResponse*>(response);
    if (r == nullptr) return nullptr;
    jobs_.push_back(makeJob(*r));
    return jobs_.back().get();
}

void AssetSaver::hostQueueJob(ns::Dictionary* job, id asset, hostapi::RequestEnqueuedBlock enqueued,
                              hostapi::SaveCompletionBlock completion, IOSurfaceRef image,
                              IOSurfaceRef, bool) {
    if (enqueued) enqueued();
    auto finish = [&](bool ok) {
        if (completion) completion(ok);
    };
    // The JPEG: the surface's bytes, as many as the job says when it says a plausible number.
    platform::Bytes bytes;
    if (const auto* base = static_cast<const std::uint8_t*>(IOSurfaceGetBaseAddress(image))) {
        std::size_t n = IOSurfaceGetAllocSize(image);
        if (job != nullptr) {
            if (const ns::Value* v = job->get(kSurfaceSizeKey)) {
                const auto k = v->longLongValue().value_or(0);
                if (k > 0 && static_cast<std::size_t>(k) < n) n = static_cast<std::size_t>(k);
            }
        }
        bytes.assign(base, base + n);
    }
    if (!platform::readJpegHeader(bytes)) {
        // Not a picture: store the host's own, if it made one.
        const auto* own = dynamic_cast<ImageJob*>(asset);
        const auto* ownBase =
            own ? static_cast<const std::uint8_t*>(IOSurfaceGetBaseAddress(own->image.get()))
                : nullptr;
        if (ownBase == nullptr) {
            log().record("saveFailed", "not a JPEG");
            finish(false);
            return;
        }
        bytes.assign(ownBase, ownBase + IOSurfaceGetAllocSize(own->image.get()));
        log().record("saveFallback", "received bytes are not a JPEG");
    }
    // A rewritten picture may have lost its orientation tag: the job's says how it is held.
    if (!platform::readExifOrientation(bytes)) {
        long tag = 1;
        if (job != nullptr) {
            if (const ns::Value* v = job->get(kOrientationKey)) tag = v->intValue().value_or(1);
        }
        if (tag < 1 || tag > 8) tag = 1;
        if (auto tagged = platform::writeExifOrientation(bytes, static_cast<int>(tag))) {
            bytes = std::move(*tagged);
        }
    }
    const int number = nextNumber();
    if (number == 0) {
        log().record("saveFailed", "folder full");
        finish(false);
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.JPG", number);
    const std::string path = std::string(kFolder) + "/" + name;
    auto& fs = ns::FileSystem::shared();
    const bool ok = fs.createDirectory(kFolder, true) && fs.writeFileAtomically(path, bytes);
    log().record(ok ? "photoSaved" : "saveFailed", name);
    if (ok) {
        std::lock_guard lock(savedMutex_);
        saved_.push_back(path);
    }
    finish(ok);
}

int AssetSaver::nextNumber() {
    auto& fs = ns::FileSystem::shared();
    if (lastNumber_ < 0) {
        lastNumber_ = 0;
        if (auto names = fs.contentsOfDirectory(kFolder)) {
            for (const auto& n : *names) lastNumber_ = std::max(lastNumber_, numberOf(n));
        }
    }
    // Files may have appeared meanwhile (another process saving): never overwrite one.
    for (int n = lastNumber_ + 1; n <= 9999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", n);
        if (!fs.fileExists(std::string(kFolder) + "/" + name)) {
            lastNumber_ = n;
            return n;
        }
    }
    return 0;
}

}  // namespace host
