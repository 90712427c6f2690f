#include "core/CompanionSteps.h"

#include <string_view>

#include "camerabar/VerticalAlertImageView.h"
#include "core/TweakState.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureSession.h"
#include "tools/Predicates.h"

namespace lumora {

const char* videoSessionPresetForHeight(int height) {
    switch (height) {
        case 720:
            return "AVCaptureSessionPresetiFrame1280x720";
        case 540:
            return "AVCaptureSessionPresetiFrame960x540";
        case 480:
            return "AVCaptureSessionPreset640x480";
        case 288:
            return "AVCaptureSessionPreset352x288";
        case 144:
            return "AVCaptureSessionPresetLow";
        default:  // 0 (the host's default), 1080, 1936 and any other height
            return "AVCaptureSessionPresetHigh";
    }
}

const char* photoSessionPresetForHeight(int height) {
    switch (height) {
        case 1936:
            return "AVCaptureSessionPresetHigh";
        case 1080:
            return "AVCaptureSessionPreset1920x1080";
        case 720:
            return "AVCaptureSessionPreset1280x720";
        case 540:
            return "AVCaptureSessionPresetiFrame960x540";
        case 480:
            return "AVCaptureSessionPreset640x480";
        case 288:
            return "AVCaptureSessionPreset352x288";
        case 144:
            return "AVCaptureSessionPresetLow";
        default:  // 0 and any other height
            return "AVCaptureSessionPresetPhoto";
    }
}

void setFrontVideoMirroring(bool mirrored) {
    if (!state().unMirrorSelfies || !isVideoMode() || !isFrontCamera()) return;
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return;
    const std::shared_ptr<AVCaptureOutput> output = controller->currentOutput();
    if (!output) return;
    const std::shared_ptr<AVCaptureConnection> connection =
        output->connectionWithMediaType(AVMediaTypeVideo);
    if (connection && connection->isVideoMirroringSupported()) {
        connection->setVideoMirrored(mirrored);
    }
}

void updateTiltAlertHighlight() {
    auto* alert = dynamic_cast<UIImageView*>(state().videoVerticallyTiltedAlert.get());
    if (alert == nullptr) return;
    const long o = state()._UIDeviceOrientation;
    alert->setHighlighted(isVideoMode() && (o == 1 || o == 2));
}

void layoutTopBarCompanions() {
    TweakState& st = state();
    const std::shared_ptr<CAMTopBar> topBar = st._CAMTopBar.lock();
    if (!topBar) return;
    const CGFloat width = topBar->frame().size.width;
    const bool video = isVideoMode();
    if (video && st.whiteBalanceLockLbl) {
        CGPoint origin = CGPointMake(width - 85, 55.5);
        if (isLandscapeLeftOrientation()) origin = CGPointMake(width + 280, 10);
        if (isLandscapeRightOrientation()) origin = CGPointMake(width - 150, 10);
        st.whiteBalanceLockLbl->setFrame(CGRectMake(origin.x, origin.y, 75, 22));
    }
    if (auto* button = dynamic_cast<UIView*>(st.horizonAlignmentBtn.get())) {
        CGRect f = button->frame();
        if (const auto flip = topBar->flipButton()) f.origin.x = flip->frame().origin.x - 35;
        if (video && isLandscapeLeftOrientation()) f.origin.x = 275;
        if (video && isLandscapeRightOrientation()) f.origin.x = -40;
        button->setFrame(f);
    }
    // In plain video the add-on shows its own frame-rate badge (tag 126) instead of the host's.
    const std::shared_ptr<CAMBottomBar> bottomBar = st._CAMBottomBar.lock();
    if (getCameraMode() == 1 && bottomBar) {
        for (const auto& sub : bottomBar->subviews()) {
            if (std::string_view(sub->className()) == "CAMSlalomIndicatorView" &&
                sub->tag() != 126) {
                sub->setHidden(true);
                sub->setAlpha(0);
            }
        }
    }
}

}  // namespace lumora
