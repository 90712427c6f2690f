// Host implementations of the methods whose replacements look after the add-on's companions:
// each does nothing and answers a value-initialised result, so that the rows install and their
// replacements can call the host's original.
#include "TweakTestSupport.h"

namespace tweaktest {
namespace {

template <class Sig>
struct HostDefault;
template <class R, class... A>
struct HostDefault<R(A...)> {
    static R imp(id, SEL, A...) { return R(); }
    static void add(objc::Class* cls, SEL sel) { objc::addMethod<R, A...>(cls, sel, &imp); }
};

template <class Selector>
void addHostDefault(const char* className) {
    auto& rt = objc::Runtime::current();
    objc::Class* cls = rt.getClass(className);
    if (cls == nullptr) cls = rt.registerClass(className);
    HostDefault<typename Selector::Signature>::add(cls, Selector::name);
}

}  // namespace

void registerCompanionHostMethods() {
    namespace mb = hostsel::CAMExpandableMenuButton;
    namespace tb = hostsel::CAMTopBar;
    namespace cv = hostsel::CAMCameraView;
    namespace cc = hostsel::CAMCaptureController;
    addHostDefault<mb::startExpansionWithProposedFrame>("CAMExpandableMenuButton");
    addHostDefault<mb::startCollapsingWithProposedFrame>("CAMExpandableMenuButton");
    addHostDefault<tb::layoutSubviews>("CAMTopBar");
    addHostDefault<tb::pointInside_withEvent>("CAMTopBar");
    addHostDefault<cv::captureController_didCaptureStillImageForRequest>("CAMCameraView");
    addHostDefault<cv::captureController_willCaptureStillImageForRequest>("CAMCameraView");
    addHostDefault<cv::_cameraOrientationChanged>("CAMCameraView");
    addHostDefault<cv::videoPreviewView>("CAMCameraView");
    addHostDefault<cv::cameraControllerModeDidChange>("CAMCameraView");
    addHostDefault<cv::cameraController_didStartTransitionToShowEffectsGrid_animated>(
        "CAMCameraView");
    addHostDefault<cv::_performVideoCapture>("CAMCameraView");
    addHostDefault<cc::_videoModeSessionPresetForDevice_options>("CAMCaptureController");
    addHostDefault<cc::_photoModeSessionPresetForMode_device>("CAMCaptureController");
    addHostDefault<cc::accelerometer_didChangeDeviceOrientation>("CAMCaptureController");
}

}  // namespace tweaktest
