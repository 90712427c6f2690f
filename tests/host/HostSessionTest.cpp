// The host on its own: a whole session from launch to return from the background, and what it
// leaves in the photo library.

#include <gtest/gtest.h>

#include <cmath>
#include "HostTestSupport.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"

#include "platform/foundation/FileSystem.h"
#include "platform/media/Exif.h"
#include "platform/media/ExifOrientation.h"
#include "platform/media/JpegCodec.h"

namespace hosttest {
namespace {

struct Rgb {
    int r, g, b;
};

// The colour at a point of the upright picture (0..1 in both axes) of a stored JPEG.
Rgb uprightColour(const platform::DecodedImage& img, int tag, double nx, double ny) {
    const bool sideways = platform::isSidewaysExifOrientation(tag);
    const int uw = sideways ? img.height : img.width;
    const int uh = sideways ? img.width : img.height;
    const auto p =
        platform::storedPixelForUpright(tag, img.width, img.height, static_cast<int>(nx * (uw - 1)),
                                        static_cast<int>(ny * (uh - 1)));
    const std::uint8_t* px =
        img.pixels.get() + static_cast<std::size_t>(p.y) * img.stride + p.x * 4;
    return {px[2], px[1], px[0]};
}

TEST_F(HostTest, AloneSessionCallsTheHostMethodsInOrderAndStoresThreeOrientedPhotos) {
    ASSERT_TRUE(launch("iphone6"));
    host::EventLog& log = app_.log();
    host::CaptureController* c = app_.captureController();
    ASSERT_NE(c, nullptr);
    app_.runFor(0.5);
    EXPECT_TRUE(log.inOrder(
        {"launch", "viewDidAppear", "startPreview", "_setupCamera", "setCameraMode:device:",
         "_setCameraMode:cameraDevice:", "_photoModeSessionPresetForMode:device:", "startPreview:",
         "cameraControllerModeDidChange:", "_sessionStarted:", "_deviceStarted:", "resumePreview",
         "_previewStarted", "_showContinuousAEAFView"}))
        << log.text();
    EXPECT_EQ(c->currentSession()->sessionPreset(), AVCaptureSessionPresetPhoto);
    EXPECT_TRUE(c->isSessionRunning());

    // To video and back.
    std::size_t mark = log.size();
    ASSERT_TRUE(app_.setMode("VIDEO"));
    EXPECT_EQ(c->cameraMode(), 1);
    EXPECT_EQ(c->currentSession()->sessionPreset(), AVCaptureSessionPresetHigh);
    EXPECT_TRUE(
        log.inOrder({"_switchFromCameraModeAtIndex:toCameraModeAtIndex:", "setCameraMode:device:",
                     "_setCameraMode:cameraDevice:", "_videoModeSessionPresetForDevice:options:",
                     "cameraControllerModeDidChange:", "setMode:animated:"},
                    mark));
    ASSERT_TRUE(app_.setMode("PHOTO"));
    EXPECT_EQ(c->cameraMode(), 0);

    // Photo 1: back camera, held upright, by the shutter.
    mark = log.size();
    app_.tapShutter();
    app_.runFor(0.3);
    EXPECT_TRUE(log.inOrder(
        {"cameraShutterPressed:", "_willTakePhoto",
         "_applyHDRSettingsFromRequest:", "captureController:willCaptureStillImageForRequest:",
         "captureController:didCaptureStillImageForRequest:",
         "saveStillImageCaptureResponse:requestEnqueuedBlock:completionBlock:",
         "_imageJobForStillImageCaptureResponse:"},
        mark))
        << log.text();
    EXPECT_TRUE(
        log.inOrder({"captureController:didCaptureStillImageForRequest:", "_didTakePhoto"}, mark));

    // Photo 2: front camera, through takePicture.
    mark = log.size();
    app_.flip();
    app_.runFor(0.3);
    EXPECT_EQ(c->cameraDevice(), 1);
    EXPECT_TRUE(log.inOrder({"setCameraMode:device:", "_setCameraMode:cameraDevice:"}, mark));
    mark = log.size();
    app_.takePicture();
    app_.runFor(0.3);
    EXPECT_TRUE(log.inOrder({"takePicture", "_willTakePhoto", "_didTakePhoto"}, mark));
    EXPECT_EQ(log.count("cameraShutterPressed:"), 1u);
    app_.flip();
    app_.runFor(0.3);
    EXPECT_EQ(c->cameraDevice(), 0);

    // Photo 3: held landscape (home button right).
    mark = log.size();
    app_.rotate(3);
    EXPECT_TRUE(log.inOrder({"accelerometer:didChangeDeviceOrientation:",
                             "_cameraOrientationChanged:", "setOrientation:animated:"},
                            mark));
    app_.tapShutter();
    app_.runFor(0.3);

    // A short video.
    ASSERT_TRUE(app_.setMode("VIDEO"));
    mark = log.size();
    app_.startRecording();
    EXPECT_TRUE(c->isRecording());
    EXPECT_TRUE(app_.cameraView()->_isCapturing());
    app_.runFor(2.0);
    app_.stopRecording();
    EXPECT_FALSE(c->isRecording());
    EXPECT_TRUE(
        log.inOrder({"cameraShutterPressed:", "_performVideoCapture", "startVideoCapture",
                     "setMode:animated:", "cameraShutterPressed:", "stopVideoCapture",
                     "recordingFinished", "setMode:animated:", "_removeVideoCaptureControls"},
                    mark))
        << log.text();
    app_.rotate(1);

    // Home button and back.
    mark = log.size();
    app_.background();
    app_.runFor(1.0);
    EXPECT_FALSE(c->isSessionRunning());
    app_.foreground();
    app_.runFor(0.5);
    EXPECT_TRUE(c->isSessionRunning());
    EXPECT_TRUE(log.inOrder(
        {"animateBlurForSuspension", "stopPreviewAnimated:", "_applicationDidEnterBackground:",
         "_destroyCamera", "_sessionStopped:", "startPreview", "_setupCamera",
         "_setCameraMode:cameraDevice:", "_sessionStarted:", "resumePreview", "_previewStarted"},
        mark))
        << log.text();
    EXPECT_EQ(c->cameraMode(), 1) << "the mode survives the trip to the background";

    app_.settle();
    const auto saved = app_.savedPhotos();
    ASSERT_EQ(saved.size(), 3u) << log.text();
    EXPECT_EQ(host::photosInLibrary(), saved);
    EXPECT_EQ(saved[0], "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG");
    EXPECT_EQ(log.count("_didTakePhoto"), 3u);
    EXPECT_EQ(log.count("photoSaved"), 3u);

    const int expectedTags[3] = {6, 6, 1};
    const platform::CameraProfile* back = profile_->camera(AVCaptureDevicePositionBack);
    const platform::CameraProfile* front = profile_->camera(AVCaptureDevicePositionFront);
    for (int i = 0; i < 3; ++i) {
        const platform::Bytes bytes = readPhoneFile(saved[i]);
        auto image = platform::decodeJpeg(bytes);
        ASSERT_TRUE(image) << saved[i];
        EXPECT_EQ(platform::readExifOrientation(bytes), expectedTags[i]) << saved[i];
        const platform::CameraProfile* cam = i == 1 ? front : back;
        EXPECT_EQ(image->width, cam->stillSize.width);
        EXPECT_EQ(image->height, cam->stillSize.height);
    }
    // The sun stands at the upper left of the back camera's view, whatever the hold.
    {
        const platform::Bytes bytes = readPhoneFile(saved[0]);
        auto img = platform::decodeJpeg(bytes);
        const Rgb sun = uprightColour(*img, 6, 0.1, 0.25);
        const Rgb sky = uprightColour(*img, 6, 0.9, 0.25);
        EXPECT_GT(sun.r, sky.r + 60);
        auto land = platform::decodeJpeg(readPhoneFile(saved[2]));
        EXPECT_GT(uprightColour(*land, 1, 0.2, 0.17).r, uprightColour(*land, 1, 0.8, 0.17).r + 60);
    }
    // The front camera's photo is mirrored: its window (upper left in the room) shows on the right.
    {
        auto img = platform::decodeJpeg(readPhoneFile(saved[1]));
        const Rgb right = uprightColour(*img, 6, 0.83, 0.2);
        const Rgb left = uprightColour(*img, 6, 0.17, 0.2);
        EXPECT_GT(right.b - right.r, left.b - left.r + 20);
    }
}

TEST_F(HostTest, PhotoNumbersContinueAfterTheFilesAlreadyThere) {
    auto& fs = ns::FileSystem::shared();
    ASSERT_TRUE(fs.createDirectory("/var/mobile/Media/DCIM/100APPLE", true));
    ASSERT_TRUE(fs.writeFileAtomically("/var/mobile/Media/DCIM/100APPLE/IMG_0041.JPG", {1, 2, 3}));
    ASSERT_TRUE(fs.writeFileAtomically("/var/mobile/Media/DCIM/100APPLE/notes.txt", {1}));
    ASSERT_TRUE(launch("iphone5"));
    app_.runFor(0.5);
    app_.tapShutter();
    app_.settle();
    ASSERT_EQ(app_.savedPhotos().size(), 1u);
    EXPECT_EQ(app_.savedPhotos()[0], "/var/mobile/Media/DCIM/100APPLE/IMG_0042.JPG");
    EXPECT_EQ(readPhoneFile("/var/mobile/Media/DCIM/100APPLE/IMG_0041.JPG"),
              (platform::Bytes{1, 2, 3}));
}

TEST_F(HostTest, RepeatedPressesSavingAndRotationDuringCaptureLoseNoPhoto) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    // Three presses in a row, a rotation while the stills are still in flight.
    app_.tapShutter();
    app_.tapShutter();
    app_.rotate(4);
    app_.tapShutter();
    app_.rotate(5);  // face up keeps the last hold
    app_.tapShutter();
    app_.settle();
    const auto saved = app_.savedPhotos();
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(platform::readExifOrientation(readPhoneFile(saved[0])), 6);
    EXPECT_EQ(platform::readExifOrientation(readPhoneFile(saved[2])), 3);
    EXPECT_EQ(platform::readExifOrientation(readPhoneFile(saved[3])), 3);
    // Taps on nothing in particular change nothing and break nothing.
    app_.tap(CGPointMake(2, 2));
    app_.tap(CGPointMake(-50, 9000));
    app_.tap(CGPointMake(NAN, 10));
    app_.settle();
    EXPECT_EQ(app_.savedPhotos().size(), 4u);
}

TEST_F(HostTest, NoStillIsTakenWhileTheCameraIsAway) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    app_.background();
    app_.takePicture();
    app_.settle();
    EXPECT_TRUE(app_.savedPhotos().empty());
    EXPECT_EQ(app_.log().count("captureRefused"), 1u);
    app_.foreground();
    app_.runFor(0.5);
    app_.takePicture();
    app_.settle();
    EXPECT_EQ(app_.savedPhotos().size(), 1u);
}

TEST_F(HostTest, TabletUsesASideBarAndTurnsItsInterface) {
    ASSERT_TRUE(launch("ipadair"));
    app_.runFor(0.5);
    host::CameraView* v = app_.cameraView();
    ASSERT_NE(v, nullptr);
    EXPECT_GT(app_.log().count("CAMBottomBar", "_layoutForVerticalOrientation"), 0u);
    EXPECT_EQ(app_.log().count("CAMBottomBar", "_layoutForHorizontalOrientation"), 0u);
    EXPECT_GT(v->bottomBar()->frame().size.height, v->bottomBar()->frame().size.width);
    app_.rotate(3);
    app_.window()->layoutIfNeeded();
    EXPECT_GT(app_.window()->bounds().size.width, app_.window()->bounds().size.height);
    app_.tapShutter();
    app_.settle();
    ASSERT_EQ(app_.savedPhotos().size(), 1u);
    EXPECT_EQ(platform::readExifOrientation(readPhoneFile(app_.savedPhotos()[0])), 1);
}

}  // namespace
}  // namespace hosttest
