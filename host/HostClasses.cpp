#include "host/HostClasses.h"

#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "host/EventLog.h"
#include "hostapi/HostAPI.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UIKitClasses.h"
#include "platform/ui/UIWindow.h"

namespace host {
namespace {

// Adds the original implementation of a described selector; the compiler checks the signature.
template <class Selector>
void define(objc::Class* cls, typename objc::ImpOf<typename Selector::Signature>::type imp) {
    objc::addMethod(cls, Selector::name, imp);
}

template <class T>
T* as(id self) {
    return dynamic_cast<T*>(self);
}

void defineCaptureController(objc::Class* cls) {
    namespace S = hostsel::CAMCaptureController;
    using C = CaptureController;
    objc::addClassMethod(
        cls, S::sharedInstance::name,
        +[](objc::Class*, SEL) -> id { return sharedCaptureController(); });
    define<S::_willTakePhoto>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostWillTakePhoto();
    });
    define<S::_didTakePhoto>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostDidTakePhoto();
    });
    define<S::_applyHDRSettingsFromRequest>(cls, [](id s, SEL, id r) {
        if (auto* c = as<C>(s)) c->hostApplyHDRSettings(r);
    });
    define<S::resumePreview>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostResumePreview();
    });
    define<S::_setupCamera>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostSetupCamera();
    });
    define<S::mogulFrameRate>(cls, [](id s, SEL) -> long {
        auto* c = as<C>(s);
        return c ? c->hostMogulFrameRate() : 0;
    });
    define<S::_videoModeSessionPresetForDevice_options>(cls, [](id s, SEL, long d, long o) {
        auto* c = as<C>(s);
        return c ? c->hostVideoPreset(d, o) : std::string(AVCaptureSessionPresetHigh);
    });
    define<S::_photoModeSessionPresetForMode_device>(cls, [](id s, SEL, long m, long d) {
        auto* c = as<C>(s);
        return c ? c->hostPhotoPreset(m, d) : std::string(AVCaptureSessionPresetPhoto);
    });
    define<S::_applicationDidEnterBackground>(cls, [](id s, SEL, id n) {
        if (auto* c = as<C>(s)) c->hostApplicationDidEnterBackground(n);
    });
    define<S::_destroyCamera>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostDestroyCamera();
    });
    define<S::accelerometer_didChangeDeviceOrientation>(cls, [](id s, SEL, id a, long o) {
        if (auto* c = as<C>(s)) c->hostAccelerometerChanged(a, o);
    });
    define<S::_sessionStopped>(cls, [](id s, SEL, id n) {
        if (auto* c = as<C>(s)) c->hostSessionStopped(n);
    });
    define<S::_sessionStarted>(cls, [](id s, SEL, id n) {
        if (auto* c = as<C>(s)) c->hostSessionStarted(n);
    });
    define<S::_deviceStarted>(cls, [](id s, SEL, id n) {
        if (auto* c = as<C>(s)) c->hostDeviceStarted(n);
    });
    define<S::_previewStarted>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostPreviewStarted();
    });
    define<S::startVideoCapture>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostStartVideoCapture();
    });
    define<S::stopVideoCapture>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostStopVideoCapture();
    });
    define<S::_focusStarted>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostFocusStarted();
    });
    define<S::_focusCompleted>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostFocusCompleted();
    });
    define<S::canChangeFocusOrExposure>(cls, [](id s, SEL) {
        auto* c = as<C>(s);
        return c != nullptr && c->hostCanChangeFocusOrExposure();
    });
    define<S::setCameraMode_device>(cls, [](id s, SEL, long m, long d) {
        if (auto* c = as<C>(s)) c->hostSetCameraModeDevice(m, d);
    });
    define<S::_setCameraMode_cameraDevice>(cls, [](id s, SEL, long m, long d) {
        if (auto* c = as<C>(s)) c->hostApplyCameraMode(m, d);
    });
    define<S::startPreview>(cls, [](id s, SEL) {
        if (auto* c = as<C>(s)) c->hostStartPreview();
    });
    define<S::startPreview_>(cls, [](id s, SEL, id o) {
        if (auto* c = as<C>(s)) c->hostStartPreviewWith(o);
    });
    define<S::canCapturePhotoDuringRecording>(cls, [](id s, SEL) {
        auto* c = as<C>(s);
        return c != nullptr && c->hostCanCapturePhotoDuringRecording();
    });
}

void defineCameraView(objc::Class* cls) {
    namespace S = hostsel::CAMCameraView;
    using V = CameraView;
    define<S::_showContinuousAEAFView>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostShowContinuousAEAFView();
    });
    define<S::_setSplitFocusAndExposure>(cls, [](id s, SEL, bool b) {
        if (auto* v = as<V>(s)) v->hostSetSplitFocusAndExposure(b);
    });
    define<S::_handleSplitFocusAndExposureTap>(cls, [](id s, SEL, id g) {
        if (auto* v = as<V>(s)) v->hostSplitFocusAndExposureTap(g);
    });
    define<S::pointInside_withEvent>(cls, [](id s, SEL, CGPoint p, id e) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostPointInside(p, dynamic_cast<UIEvent*>(e));
    });
    define<S::_allowExposureBiasForMode>(cls, [](id s, SEL, long m) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostAllowExposureBiasForMode(m);
    });
    define<S::_finishCommonTapGesture>(cls, [](id s, SEL) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostFinishCommonTapGesture();
    });
    define<S::captureController_didCaptureStillImageForRequest>(cls, [](id, SEL, id, id) {});
    define<S::captureController_willCaptureStillImageForRequest>(cls, [](id, SEL, id, id) {});
    define<S::_cameraOrientationChanged>(cls, [](id s, SEL, id n) {
        if (auto* v = as<V>(s)) v->hostOrientationChanged(n);
    });
    define<S::videoPreviewView>(cls, [](id s, SEL) -> id {
        auto* v = as<V>(s);
        return v != nullptr ? v->previewView().get() : nullptr;
    });
    define<S::cameraControllerModeDidChange>(cls, [](id s, SEL, id c) {
        if (auto* v = as<V>(s)) v->hostModeDidChange(c);
    });
    define<S::animateBlurForSuspension>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostAnimateBlurForSuspension();
    });
    define<S::_shouldShowFocus>(cls, [](id s, SEL) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostShouldShowFocus();
    });
    define<S::cameraController_didStartTransitionToShowEffectsGrid_animated>(
        cls, [](id s, SEL, id c, bool show, bool animated) {
            if (auto* v = as<V>(s)) v->hostShowEffectsGrid(c, show, animated);
        });
    define<S::stopPreviewAnimated>(cls, [](id s, SEL, bool a) {
        if (auto* v = as<V>(s)) v->hostStopPreviewAnimated(a);
    });
    define<S::touchesBegan_withEvent>(cls, [](id s, SEL, id t, id e) {
        if (auto* v = as<V>(s)) v->hostTouchesBegan(t, e);
    });
    define<S::touchesEnded_withEvent>(cls, [](id s, SEL, id t, id e) {
        if (auto* v = as<V>(s)) v->hostTouchesEnded(t, e);
    });
    define<S::viewDidAppear>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostViewDidAppear();
    });
    define<S::_handleOverlayViewLongPress>(cls, [](id s, SEL, id g) {
        if (auto* v = as<V>(s)) v->hostHandleLongPress(g);
    });
    define<S::dealloc>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostDealloc();
    });
    define<S::cameraShutterPressed>(cls, [](id s, SEL, id b) {
        if (auto* v = as<V>(s)) v->hostCameraShutterPressed(b);
    });
    define<S::_performVideoCapture>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostPerformVideoCapture();
    });
    define<S::_removeVideoCaptureControls>(cls, [](id s, SEL) {
        if (auto* v = as<V>(s)) v->hostRemoveVideoCaptureControls();
    });
    define<S::_allowFocusRectPanning>(cls, [](id s, SEL) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostAllowFocusRectPanning();
    });
    define<S::_handleExposureBiasPan>(cls, [](id s, SEL, id g) {
        if (auto* v = as<V>(s)) v->hostHandleExposureBiasPan(g);
    });
    define<S::_handleFocusRectPan>(cls, [](id s, SEL, id g) {
        if (auto* v = as<V>(s)) v->hostHandleFocusRectPan(g);
    });
    define<S::_endPanFocus_exposure_atPoint>(cls, [](id s, SEL, bool f, bool e, CGPoint p) {
        if (auto* v = as<V>(s)) v->hostEndPanFocus(f, e, p);
    });
    define<S::_switchFromCameraModeAtIndex_toCameraModeAtIndex>(
        cls, [](id s, SEL, long from, long to) {
            if (auto* v = as<V>(s)) v->hostSwitchModes(from, to);
        });
    define<S::_modeChangeSwipeMatchesExposureBiasPanDirection>(cls, [](id s, SEL) {
        auto* v = as<V>(s);
        return v != nullptr && v->hostSwipeMatchesExposureBiasPan();
    });
}

void defineCompanions() {
    auto& rt = objc::Runtime::current();
    objc::Class* app = rt.getClass("UIApplication");
    define<hostsel::UIApplication::didReceiveMemoryWarning>(app, [](id self, SEL) {
        auto* application = dynamic_cast<UIApplication*>(self);
        if (application == nullptr) return;
        if (auto window = application->keyWindow()) {
            if (auto root = window->rootViewController()) root->didReceiveMemoryWarning();
        }
    });

    objc::Class* menu = rt.registerClass("CAMExpandableMenuButton", "UIButton");
    using M = ExpandableMenuButton;
    define<hostsel::CAMExpandableMenuButton::startExpansionWithProposedFrame>(
        menu, [](id s, SEL, CGRect r) {
            if (auto* m = as<M>(s)) m->startExpansion(r);
        });
    define<hostsel::CAMExpandableMenuButton::startCollapsingWithProposedFrame>(
        menu, [](id s, SEL, CGRect r) {
            if (auto* m = as<M>(s)) m->startCollapsing(r);
        });
    define<hostsel::CAMExpandableMenuButton::setOrientation_animated>(
        menu, [](id s, SEL, long o, bool a) {
            if (auto* m = as<M>(s)) m->applyOrientation(o, a);
        });

    objc::Class* filter = rt.registerClass("CAMFilterButton", "UIButton");
    define<hostsel::CAMFilterButton::_commonCAMFilterButtonInitialization>(filter, [](id s, SEL) {
        if (auto* f = as<FilterButton>(s)) f->commonInitialization();
    });

    objc::Class* burst = rt.registerClass("CAMAvalancheSession");
    define<hostsel::CAMAvalancheSession::init>(burst, [](id self, SEL) -> id { return self; });
    define<hostsel::CAMAvalancheSession::dealloc>(burst, [](id, SEL) {});

    objc::Class* zoom = rt.registerClass("CAMZoomSlider", "UIView");
    define<hostsel::CAMZoomSlider::initWithFrame>(zoom, [](id s, SEL, CGRect r) -> id {
        if (auto* z = as<ZoomSlider>(s)) z->initWithFrame(r);
        return s;
    });

    objc::Class* top = rt.registerClass("CAMTopBar", "UIView");
    define<hostsel::CAMTopBar::layoutSubviews>(top, [](id s, SEL) {
        if (auto* b = as<TopBar>(s)) b->hostLayoutSubviews();
    });
    define<hostsel::CAMTopBar::pointInside_withEvent>(top, [](id s, SEL, CGPoint p, id e) {
        auto* b = as<TopBar>(s);
        return b != nullptr && b->hostPointInside(p, dynamic_cast<UIEvent*>(e));
    });

    objc::Class* shutter = rt.registerClass("CAMShutterButton", "UIButton");
    define<hostsel::CAMShutterButton::setMode_animated>(shutter, [](id s, SEL, long m, bool a) {
        if (auto* b = as<ShutterButton>(s)) b->applyMode(m, a);
    });

    objc::Class* bottom = rt.registerClass("CAMBottomBar", "UIView");
    using B = BottomBar;
    define<hostsel::CAMBottomBar::_layoutForHorizontalOrientation>(bottom, [](id s, SEL) {
        if (auto* b = as<B>(s)) b->layoutForHorizontalOrientation();
    });
    define<hostsel::CAMBottomBar::_layoutForVerticalOrientation>(bottom, [](id s, SEL) {
        if (auto* b = as<B>(s)) b->layoutForVerticalOrientation();
    });
    define<hostsel::CAMBottomBar::pointInside_withEvent>(bottom, [](id s, SEL, CGPoint p, id e) {
        auto* b = as<B>(s);
        return b != nullptr && b->hostPointInside(p, dynamic_cast<UIEvent*>(e));
    });
    define<hostsel::CAMBottomBar::layoutSubviews>(bottom, [](id s, SEL) {
        if (auto* b = as<B>(s)) b->hostLayoutSubviews();
    });

    objc::Class* preview = rt.registerClass("CAMPreviewView", "UIView");
    define<hostsel::CAMPreviewView::initWithFrame>(preview, [](id s, SEL, CGRect r) -> id {
        if (auto* p = as<PreviewView>(s)) p->initWithFrame(r);
        return s;
    });

    objc::Class* badge = rt.registerClass("CAMSlalomIndicatorView", "UIView");
    objc::addClassMethod(
        badge, hostsel::CAMSlalomIndicatorView::initWithFrame::name,
        +[](objc::Class*, SEL, CGRect frame) -> std::shared_ptr<NSObject> {
            return std::make_shared<SlalomIndicatorView>(frame);
        });

    objc::Class* saver = rt.registerClass("CAMAssetSaver");
    using A = AssetSaver;
    define<
        hostsel::CAMAssetSaver::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock>(
        saver,
        [](id s, SEL, id r, hostapi::RequestEnqueuedBlock e, hostapi::SaveCompletionBlock c) {
            if (auto* a = as<A>(s)) {
                a->hostSaveResponse(r, std::move(e), std::move(c));
            } else if (c) {
                c(false);
            }
        });
    define<hostsel::CAMAssetSaver::_imageJobForStillImageCaptureResponse>(
        saver, [](id s, SEL, id r) -> id {
            auto* a = as<A>(s);
            return a != nullptr ? a->hostImageJob(r) : nullptr;
        });
    define<
        hostsel::CAMAssetSaver::
            queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient>(
        saver, [](id s, SEL, ns::Dictionary* job, id asset, hostapi::RequestEnqueuedBlock e,
                  hostapi::SaveCompletionBlock c, IOSurfaceRef image, IOSurfaceRef preview,
                  bool transient) {
            if (auto* a = as<A>(s)) {
                a->hostQueueJob(job, asset, std::move(e), std::move(c), image, preview, transient);
            } else if (c) {
                c(false);
            }
        });
}

}  // namespace

void registerHostClasses() {
    platform::registerUIKitClasses();
    auto& rt = objc::Runtime::current();
    rt.registerClass("CAMFlipButton", "UIButton");
    rt.registerClass("CAMModeDial", "UIView");
    rt.registerClass("CAMCameraViewController", "UIViewController");
    rt.registerClass("CAMImageJob");
    rt.registerClass("NSNotification");
    rt.registerClass("NSSet");
    rt.registerClass("CAMStillImageCaptureRequest");
    rt.registerClass("CAMStillImageCaptureResponse");
    defineCaptureController(rt.registerClass("CAMCaptureController"));
    defineCameraView(rt.registerClass("CAMCameraView", "UIView"));
    defineCompanions();
}

}  // namespace host
