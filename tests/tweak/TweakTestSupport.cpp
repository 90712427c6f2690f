#include "TweakTestSupport.h"

#include <fstream>

#include "core/Preferences.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceRoot.h"

namespace tweaktest {
namespace fs = std::filesystem;

namespace {

void hostStartPreview(id self, SEL) {
    static_cast<FakeCaptureController*>(self)->startPreviewCalls++;
}

void hostSessionStopped(id self, SEL, id) {
    static_cast<FakeCaptureController*>(self)->sessionStoppedCalls++;
}

bool hostCanChangeFocus(id self, SEL) {
    return static_cast<FakeCaptureController*>(self)->hostCanChangeFocus;
}

bool hostNo(id, SEL) {
    return false;
}

void hostNothing(id, SEL) {}

id hostSelf(id self, SEL) {
    return self;
}

id hostInitWithFrame(id self, SEL, CGRect) {
    return self;
}

void hostSaveResponse(id, SEL, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock) {}

id hostImageJob(id, SEL, id) {
    return nullptr;
}

void hostQueueJob(id, SEL, ns::Dictionary*, id, hostapi::RequestEnqueuedBlock,
                  hostapi::SaveCompletionBlock, IOSurfaceRef, IOSurfaceRef, bool) {}

// A host method that does nothing and answers a value-initialised result.
template <class Selector, class Sig = typename Selector::Signature>
struct HostDefault;
template <class Selector, class R, class... A>
struct HostDefault<Selector, R(A...)> {
    static R call(id, SEL, A...) { return R(); }
};

template <class... Selectors>
void addDefaults(const char* className) {
    objc::Class* cls = objc::Runtime::current().getClass(className);
    if (cls == nullptr) cls = objc::Runtime::current().registerClass(className);
    ((cls->findMethod(Selectors::name) == nullptr
          ? objc::addMethod(cls, Selectors::name, &HostDefault<Selectors>::call)
          : void()),
     ...);
}

}  // namespace

void registerCaptureController(FakeCaptureController* controller) {
    namespace cc = hostsel::CAMCaptureController;
    objc::Class* cls = testsupport::registerSharedCaptureController(controller);
    objc::addMethod<void>(cls, cc::startPreview::name, &hostStartPreview);
    objc::addMethod<void, id>(cls, cc::_sessionStopped::name, &hostSessionStopped);
    objc::addMethod<bool>(cls, cc::canChangeFocusOrExposure::name, &hostCanChangeFocus);
    objc::addMethod<bool>(cls, cc::canCapturePhotoDuringRecording::name, &hostNo);
}

void registerHostClasses() {
    auto& rt = objc::Runtime::current();
    objc::Class* burst = rt.registerClass("CAMAvalancheSession");
    objc::addMethod<id>(burst, hostsel::CAMAvalancheSession::init::name, &hostSelf);
    objc::addMethod<void>(burst, hostsel::CAMAvalancheSession::dealloc::name, &hostNothing);
    objc::addMethod<id, CGRect>(rt.registerClass("CAMZoomSlider"),
                                hostsel::CAMZoomSlider::initWithFrame::name, &hostInitWithFrame);
    objc::addMethod<id, CGRect>(rt.registerClass("CAMPreviewView"),
                                hostsel::CAMPreviewView::initWithFrame::name, &hostInitWithFrame);
    objc::addMethod<bool>(rt.registerClass("CAMCameraView"),
                          hostsel::CAMCameraView::_allowFocusRectPanning::name, &hostNo);
    namespace as = hostsel::CAMAssetSaver;
    objc::Class* saver = rt.registerClass("CAMAssetSaver");
    objc::addMethod<void, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock>(
        saver, as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock::name,
        &hostSaveResponse);
    objc::addMethod<id, id>(saver, as::_imageJobForStillImageCaptureResponse::name, &hostImageJob);
    objc::addMethod<void, ns::Dictionary*, id, hostapi::RequestEnqueuedBlock,
                    hostapi::SaveCompletionBlock, IOSurfaceRef, IOSurfaceRef, bool>(
        saver,
        as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient::
            name,
        &hostQueueJob);

    // The remaining replaceable methods the add-on's table replaces, as do-nothing host methods.
    namespace cv = hostsel::CAMCameraView;
    namespace cc = hostsel::CAMCaptureController;
    namespace bb = hostsel::CAMBottomBar;
    addDefaults<hostsel::UIApplication::didReceiveMemoryWarning>("UIApplication");
    addDefaults<hostsel::CAMExpandableMenuButton::setOrientation_animated>(
        "CAMExpandableMenuButton");
    addDefaults<hostsel::CAMFilterButton::_commonCAMFilterButtonInitialization>("CAMFilterButton");
    addDefaults<hostsel::CAMShutterButton::setMode_animated>("CAMShutterButton");
    addDefaults<bb::_layoutForHorizontalOrientation, bb::_layoutForVerticalOrientation,
                bb::pointInside_withEvent, bb::layoutSubviews>("CAMBottomBar");
    addDefaults<cv::cameraShutterPressed>("CAMCameraView");
    addDefaults<cc::_didTakePhoto, cc::_sessionStarted, cc::_previewStarted>(
        "CAMCaptureController");
    addDefaults<cv::_setSplitFocusAndExposure, cv::_handleSplitFocusAndExposureTap,
                cv::pointInside_withEvent, cv::animateBlurForSuspension,
                cv::cameraController_didStartTransitionToShowEffectsGrid_animated,
                cv::stopPreviewAnimated, cv::touchesEnded_withEvent, cv::viewDidAppear, cv::dealloc,
                cv::_removeVideoCaptureControls, cv::_handleFocusRectPan,
                cv::_modeChangeSwipeMatchesExposureBiasPanDirection>("CAMCameraView");
    addDefaults<cc::_willTakePhoto, cc::_applyHDRSettingsFromRequest, cc::_setupCamera,
                cc::mogulFrameRate, cc::_applicationDidEnterBackground, cc::_destroyCamera,
                cc::accelerometer_didChangeDeviceOrientation, cc::_deviceStarted,
                cc::startVideoCapture, cc::stopVideoCapture, cc::_focusStarted, cc::_focusCompleted,
                cc::setCameraMode_device, cc::_setCameraMode_cameraDevice, cc::startPreview_>(
        "CAMCaptureController");
    // The companions' rows (top bar, menu, horizon views, resolutions, mirroring, presets).
    namespace mb = hostsel::CAMExpandableMenuButton;
    namespace tb = hostsel::CAMTopBar;
    addDefaults<mb::startExpansionWithProposedFrame, mb::startCollapsingWithProposedFrame>(
        "CAMExpandableMenuButton");
    addDefaults<tb::layoutSubviews, tb::pointInside_withEvent>("CAMTopBar");
    addDefaults<cv::captureController_didCaptureStillImageForRequest,
                cv::captureController_willCaptureStillImageForRequest,
                cv::_cameraOrientationChanged, cv::videoPreviewView,
                cv::cameraControllerModeDidChange, cv::_performVideoCapture>("CAMCameraView");
    addDefaults<cc::_videoModeSessionPresetForDevice_options,
                cc::_photoModeSessionPresetForMode_device>("CAMCaptureController");
    // Those of the manual focus and exposure rows.
    addDefaults<cv::_showContinuousAEAFView, cv::_allowExposureBiasForMode,
                cv::_finishCommonTapGesture, cv::_shouldShowFocus, cv::touchesBegan_withEvent,
                cv::_handleOverlayViewLongPress, cv::_handleExposureBiasPan,
                cv::_endPanFocus_exposure_atPoint,
                cv::_switchFromCameraModeAtIndex_toCameraModeAtIndex>("CAMCameraView");
    addDefaults<cc::_didTakePhoto, cc::resumePreview>("CAMCaptureController");
}

platform::DeviceConfig iPhone6() {
    platform::DeviceConfig c;
    c.modelIdentifier = "iPhone7,2";
    c.model = "iPhone";
    c.screenBounds = CGRectMake(0, 0, 375, 667);
    c.scale = 2;
    c.idiom = 0;
    return c;
}

platform::DeviceConfig iPad(const std::string& model) {
    platform::DeviceConfig c;
    c.modelIdentifier = model;
    c.model = "iPad";
    c.screenBounds = CGRectMake(0, 0, 768, 1024);
    c.scale = 2;
    c.idiom = 1;
    return c;
}

void DeviceRootTest::SetUp() {
    root_ = testsupport::makeDeviceRoot("lumora-tweak");
    ASSERT_FALSE(root_.empty());
    NSLocale::setPreferredLanguages({"en"});
    useDevice(iPhone6());
}

void DeviceRootTest::TearDown() {
    testsupport::endProcess();
    platform::Device::reset();
    testsupport::removeDeviceRoot(root_);
}

void DeviceRootTest::useDevice(const platform::DeviceConfig& config) {
    platform::Device::configure(config);
    launch("com.apple.camera");
}

void DeviceRootTest::launch(const std::string& bundleIdentifier) {
    testsupport::launchProcess(bundleIdentifier);
}

void DeviceRootTest::installTranslations() {
    testsupport::installTranslations();
}

fs::path DeviceRootTest::hostPath(const std::string& phonePath) {
    return ns::FileSystem::shared().resolve(phonePath);
}

void DeviceRootTest::writeFile(const std::string& phonePath, const std::string& bytes) {
    const fs::path p = hostPath(phonePath);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void DeviceRootTest::writePrefs(const ns::Dictionary& prefs) {
    ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(prefs), lumora::preferencesPath()));
}

std::optional<ns::Dictionary> DeviceRootTest::readPrefs() {
    return ns::readDictionaryFile("/var/mobile/Library/Preferences/com.orvane.Lumora3.plist");
}

}  // namespace tweaktest
