// Session presets, configuration brackets, outputs and connections.

#include "platform/capture/AVCaptureSession.h"
#include "platform/capture/ConfigurationGuards.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::camera;
using platform::ConfigurationLock;
using platform::SessionConfiguration;

namespace {

class SessionTest : public captest::CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        session->addInput(AVCaptureDeviceInput::deviceInputWithDevice(back));
        session->addOutput(output);
    }
    std::shared_ptr<AVCaptureDevice> back = camera("iphone6", AVCaptureDevicePositionBack);
    std::shared_ptr<AVCaptureSession> session = std::make_shared<AVCaptureSession>();
    std::shared_ptr<AVCaptureStillImageOutput> output =
        std::make_shared<AVCaptureStillImageOutput>();
};

TEST_F(SessionTest, APresetPicksTheFormatThatServesIt) {
    EXPECT_TRUE(session->canSetSessionPreset(AVCaptureSessionPreset1280x720));
    session->setSessionPreset(AVCaptureSessionPreset1280x720);
    EXPECT_EQ(session->sessionPreset(), AVCaptureSessionPreset1280x720);
    EXPECT_EQ(back->activeFormat()->dimensions().height, 720);
    EXPECT_EQ(back->activeFormat()->highestFrameRate(), 30);  // not the 240-fps one

    EXPECT_FALSE(session->canSetSessionPreset("AVCaptureSessionPreset4K"));
    session->setSessionPreset("AVCaptureSessionPreset4K");
    EXPECT_EQ(session->faultCount(), 1);
    EXPECT_EQ(session->sessionPreset(), AVCaptureSessionPreset1280x720);
}

TEST_F(SessionTest, ConfigurationBracketsNestAndApplyAtTheOutermostCommit) {
    {
        SessionConfiguration outer(session.get());
        {
            SessionConfiguration inner(session.get());
            session->setSessionPreset(AVCaptureSessionPresetPhoto);
            EXPECT_EQ(session->configurationDepth(), 2);
        }
        EXPECT_EQ(session->configurationDepth(), 1);
        EXPECT_EQ(back->activeFormat()->dimensions().height, 1080);  // not yet
    }
    EXPECT_EQ(session->configurationDepth(), 0);
    EXPECT_EQ(back->activeFormat()->dimensions().height, 2448);
    session->commitConfiguration();  // unbalanced
    EXPECT_EQ(session->faultCount(), 1);
}

TEST_F(SessionTest, AClientChosenFormatMeansInputPriority) {
    session->setSessionPreset(AVCaptureSessionPresetHigh);
    {
        ConfigurationLock lock(back.get());
        back->setActiveFormat(back->formats().front());
    }
    EXPECT_EQ(session->sessionPreset(), AVCaptureSessionPresetInputPriority);
    session->setSessionPreset(AVCaptureSessionPresetHigh);
    EXPECT_EQ(session->sessionPreset(), AVCaptureSessionPresetHigh);
}

TEST_F(SessionTest, RunningState) {
    EXPECT_FALSE(session->isRunning());
    session->startRunning();
    EXPECT_TRUE(session->isRunning());
    session->stopRunning();
    EXPECT_FALSE(session->isRunning());
}

TEST_F(SessionTest, TheVideoConnectionMirrorsAndStabilizes) {
    auto connection = output->connectionWithMediaType(AVMediaTypeVideo);
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(output->connectionWithMediaType(AVMediaTypeAudio), nullptr);
    EXPECT_EQ(connection->device(), back);
    EXPECT_TRUE(connection->isVideoMirroringSupported());
    EXPECT_FALSE(connection->isVideoMirrored());
    connection->setVideoMirrored(true);
    EXPECT_TRUE(connection->isVideoMirrored());

    // 1080p30 supports standard and cinematic stabilization.
    connection->setPreferredVideoStabilizationMode(AVCaptureVideoStabilizationModeCinematic);
    EXPECT_EQ(connection->preferredVideoStabilizationMode(),
              AVCaptureVideoStabilizationModeCinematic);
    EXPECT_EQ(connection->activeVideoStabilizationMode(), AVCaptureVideoStabilizationModeCinematic);
    connection->setPreferredVideoStabilizationMode(AVCaptureVideoStabilizationModeAuto);
    EXPECT_EQ(connection->activeVideoStabilizationMode(), AVCaptureVideoStabilizationModeStandard);
    // The photo format has none: the preference stays, the camera does not stabilize.
    session->setSessionPreset(AVCaptureSessionPresetPhoto);
    EXPECT_EQ(connection->preferredVideoStabilizationMode(), AVCaptureVideoStabilizationModeAuto);
    EXPECT_EQ(connection->activeVideoStabilizationMode(), AVCaptureVideoStabilizationModeOff);
    connection->setPreferredVideoStabilizationMode(7);
    EXPECT_EQ(connection->faultCount(), 1);
}

TEST_F(SessionTest, SwitchingCamerasGivesTheOutputANewConnection) {
    auto front = camera("iphone6", AVCaptureDevicePositionFront);
    {
        SessionConfiguration bracket(session.get());
        session->removeInput(session->inputs().front());
        session->addInput(AVCaptureDeviceInput::deviceInputWithDevice(front));
    }
    auto connection = output->connectionWithMediaType(AVMediaTypeVideo);
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->device(), front);
    EXPECT_TRUE(connection->isVideoMirrored());  // the front camera is mirrored by default
    EXPECT_EQ(front->activeFormat()->dimensions().height, 720);  // front High is 1280x720

    // A second camera input at once is refused.
    session->addInput(AVCaptureDeviceInput::deviceInputWithDevice(back));
    EXPECT_EQ(session->inputs().size(), 1u);
    EXPECT_EQ(session->faultCount(), 1);
    EXPECT_EQ(AVCaptureDeviceInput::deviceInputWithDevice(nullptr), nullptr);
}

}  // namespace
