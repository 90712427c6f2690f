// What an add-on may ask of the host on the photo-saving thread: the shared capture controller
// and its camera, while the main thread switches cameras. Run under the thread sanitizer, this
// is the check that those reads are free of data races.

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "HostTestSupport.h"
#include "host/CaptureController.h"
#include "host/HostCall.h"
#include "hostapi/HostAPI.h"
#include "platform/objc/Hook.h"
#include "platform/objc/Injection.h"

namespace hosttest {
namespace {

namespace as = hostsel::CAMAssetSaver;
using QueueJob = as::
    queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient;

// The cameras the saving thread saw, one per photo (-1: no controller).
std::mutex seenMutex;
std::vector<long> camerasSeen;

objc::ImpOf<QueueJob::Signature>::type originalQueueJob = nullptr;
objc::Imp<void> originalDidTakePhoto = nullptr;
// Main thread only.
bool switchCameraAfterEachPhoto = false;

void replacementQueueJob(id self, SEL cmd, ns::Dictionary* job, id asset,
                         hostapi::RequestEnqueuedBlock enqueued,
                         hostapi::SaveCompletionBlock completion, IOSurfaceRef image,
                         IOSurfaceRef preview, bool transient) {
    // As the add-on asks: the controller by class name, then its camera and mode.
    id shared = objc::sendClass<hostsel::CAMCaptureController::sharedInstance>(
        objc_getClass("CAMCaptureController"));
    const auto* controller = dynamic_cast<CAMCaptureController*>(shared);
    long camera = -1;
    if (controller != nullptr) {
        camera = controller->cameraDevice();
        if (controller->cameraMode() < 0) camera = -2;
    }
    {
        std::lock_guard lock(seenMutex);
        camerasSeen.push_back(camera);
    }
    if (originalQueueJob != nullptr) {
        originalQueueJob(self, cmd, job, asset, std::move(enqueued), std::move(completion), image,
                         preview, transient);
    }
}

// Runs on the main thread just after the host handed the still to the saving queue, so the
// switch overlaps the saving thread's work.
void replacementDidTakePhoto(id self, SEL cmd) {
    if (originalDidTakePhoto != nullptr) originalDidTakePhoto(self, cmd);
    auto* controller = dynamic_cast<CAMCaptureController*>(self);
    if (!switchCameraAfterEachPhoto || controller == nullptr) return;
    host::call<hostsel::CAMCaptureController::setCameraMode_device>(self, 0L,
                                                                    1 - controller->cameraDevice());
}

void savingThreadAddOn() {
    ASSERT_EQ(objc::hook<QueueJob>(objc_getClass("CAMAssetSaver"), replacementQueueJob,
                                   &originalQueueJob),
              objc::HookResult::Replaced);
    ASSERT_EQ(
        objc::hook<hostsel::CAMCaptureController::_didTakePhoto>(
            objc_getClass("CAMCaptureController"), replacementDidTakePhoto, &originalDidTakePhoto),
        objc::HookResult::Replaced);
}

TEST_F(HostTest, TheSavingThreadReadsTheCameraWhileTheMainThreadSwitchesIt) {
    {
        std::lock_guard lock(seenMutex);
        camerasSeen.clear();
    }
    objc::Injection::shared().install("SavingThreadAddOn", savingThreadAddOn);
    profile_ = loadProfile("iphone6");
    ASSERT_TRUE(profile_ && profile_->back && profile_->front);
    // Small stills keep the saving queue quick (also under the thread sanitizer).
    profile_->back->stillSize = {640, 480};
    profile_->front->stillSize = {640, 480};
    app_.launch(*profile_);
    ASSERT_TRUE(app_.isRunning());
    app_.runFor(0.5);
    host::CaptureController* c = app_.captureController();
    ASSERT_NE(c, nullptr);

    constexpr int kShots = 6;
    switchCameraAfterEachPhoto = true;
    for (int i = 0; i < kShots; ++i) {
        app_.tapShutter();
        app_.runFor(0.5);
    }
    switchCameraAfterEachPhoto = false;
    // With nothing switching, the saving thread sees the camera in use.
    const long current = c->cameraDevice();
    app_.tapShutter();
    app_.settle();
    objc::Injection::shared().uninstall("SavingThreadAddOn");

    ASSERT_EQ(app_.savedPhotos().size(), static_cast<std::size_t>(kShots + 1));
    std::lock_guard lock(seenMutex);
    ASSERT_EQ(camerasSeen.size(), static_cast<std::size_t>(kShots + 1));
    for (long seen : camerasSeen) EXPECT_TRUE(seen == 0 || seen == 1) << seen;
    EXPECT_EQ(camerasSeen.back(), current);
}

}  // namespace
}  // namespace hosttest
