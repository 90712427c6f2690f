#include "photo/AssetSaverHooks.h"

#include <utility>

#include "core/HookTable.h"
#include "core/TweakState.h"
#include "photo/SavedPhoto.h"
#include "photo/StillCamera.h"

namespace lumora::hooks {

namespace as = hostsel::CAMAssetSaver;

void CAMAssetSaver_saveStillImageCaptureResponse(id self, SEL cmd, id response,
                                                 hostapi::RequestEnqueuedBlock enqueued,
                                                 hostapi::SaveCompletionBlock completion) {
    // The host makes the photo's job and queues it further down this call, on this thread.
    const SavingStill saving(response);
    callOriginal<as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock>(
        self, cmd, response, std::move(enqueued), std::move(completion));
}

id CAMAssetSaver__imageJobForStillImageCaptureResponse(id self, SEL cmd, id response) {
    state().capturingPhoto = false;
    return callOriginal<as::_imageJobForStillImageCaptureResponse>(self, cmd, response);
}

void CAMAssetSaver_queueJobDictionary(id self, SEL cmd, ns::Dictionary* job, id asset,
                                      hostapi::RequestEnqueuedBlock enqueued,
                                      hostapi::SaveCompletionBlock completion,
                                      IOSurfaceRef imageSurface, IOSurfaceRef previewImageSurface,
                                      bool transient) {
    // Our reference to a new surface ends after the host's method: the host retains the surface
    // if it keeps it.
    const platform::IOSurfacePtr rewritten = rewriteSavedPhoto(job, imageSurface);
    callOriginal<
        as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient>(
        self, cmd, job, asset, std::move(enqueued), std::move(completion),
        rewritten ? rewritten.get() : imageSurface, previewImageSurface, transient);
}

}  // namespace lumora::hooks
