#pragma once
// The host's asset saver: stores captured stills in the photo library. Its three replaceable
// methods run on its own saving queue, a real worker thread:
//   saveStillImageCaptureResponse:requestEnqueuedBlock:completionBlock:
//     -> _imageJobForStillImageCaptureResponse: (renders the scene and encodes the JPEG with its
//        EXIF orientation, once per distinct picture (StillCache.h); copies it into a
//        shared-memory surface)
//     -> queueJobDictionary:asset:...:transient: (stores the surface's JPEG as
//        /var/mobile/Media/DCIM/100APPLE/IMG_nnnn.JPG, numbered after the files already there).
// What is stored must be a readable JPEG: bytes that are not (a rewriting gone wrong) are replaced
// by the picture the host made, so a photo is never lost or stored damaged.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/HostObjects.h"
#include "hostapi/HostAPI.h"
#include "platform/media/IOSurface.h"
#include "platform/runloop/DispatchQueue.h"

namespace host {

// One save job: the host's dictionary ("ImageOrientation", "kPLCameraPhotoSurfaceSizeKey") and
// the surfaces of the picture and its preview.
class ImageJob : public NSObject {
public:
    LU_OBJC_CLASS(CAMImageJob)
    ns::Dictionary dictionary;
    platform::IOSurfacePtr image;
    platform::IOSurfacePtr preview;
};

class AssetSaver : public CAMAssetSaver {
public:
    AssetSaver();
    // Waits for the saving queue to finish.
    ~AssetSaver() override;

    static constexpr const char* kFolder = "/var/mobile/Media/DCIM/100APPLE";
    static constexpr int kJpegQuality = 90;

    // Main thread: hands a captured still to the saving queue.
    void save(std::shared_ptr<StillImageResponse> response, hostapi::RequestEnqueuedBlock enqueued,
              hostapi::SaveCompletionBlock completion);
    // Blocks until every queued save has finished.
    void drain() { queue_.drain(); }
    // Phone paths of the photos stored, in order (any thread).
    std::vector<std::string> savedPaths() const;

    // Host implementations of the replaceable methods (saving thread).
    void hostSaveResponse(id response, hostapi::RequestEnqueuedBlock enqueued,
                          hostapi::SaveCompletionBlock completion);
    id hostImageJob(id response);
    void hostQueueJob(ns::Dictionary* job, id asset, hostapi::RequestEnqueuedBlock enqueued,
                      hostapi::SaveCompletionBlock completion, IOSurfaceRef image,
                      IOSurfaceRef preview, bool transient);

    // Renders and encodes a still as the camera delivers it (any thread).
    static std::shared_ptr<ImageJob> makeJob(const StillImageResponse& response);

private:
    // The next free IMG_nnnn number, or 0 when the folder is full (saving thread).
    int nextNumber();

    platform::DispatchQueue queue_{"com.apple.camera.asset-saver"};
    // Jobs alive while their save runs (saving thread only).
    std::vector<std::shared_ptr<ImageJob>> jobs_;
    int lastNumber_ = -1;
    mutable std::mutex savedMutex_;
    std::vector<std::string> saved_;
};

}  // namespace host
