#pragma once
// The replacements of the host's asset saver methods (named <Class>_<selector>). The host calls
// them on its saving queue, not on the main thread.

#include "hostapi/HostAPI.h"

namespace lumora::hooks {

// Passes through, telling the rewriting step which camera took the photo being saved.
void CAMAssetSaver_saveStillImageCaptureResponse(id self, SEL cmd, id response,
                                                 hostapi::RequestEnqueuedBlock enqueued,
                                                 hostapi::SaveCompletionBlock completion);
// The still capture is over: clears `capturingPhoto`, then answers the host's job.
id CAMAssetSaver__imageJobForStillImageCaptureResponse(id self, SEL cmd, id response);
// Hands the host either the surface it gave or a new one with the rewritten photo; the host's
// method runs exactly once either way.
void CAMAssetSaver_queueJobDictionary(id self, SEL cmd, ns::Dictionary* job, id asset,
                                      hostapi::RequestEnqueuedBlock enqueued,
                                      hostapi::SaveCompletionBlock completion,
                                      IOSurfaceRef imageSurface, IOSurfaceRef previewImageSurface,
                                      bool transient);

}  // namespace lumora::hooks
