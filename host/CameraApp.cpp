#include "host/CameraApp.h"

#include <algorithm>

#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/SettingsApp.h"
#include "host/System.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/objc/Injection.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"

namespace host {

CameraApp::CameraApp() {
    resetHook_ = platform::Process::onReset([this] { processReset(); });
}

CameraApp::~CameraApp() {
    if (running_) kill();
    platform::Process::removeResetHook(resetHook_);
    if (&host::log() == &log_) setCurrentLog(nullptr);
    if (detail::runningCameraApp() == this) detail::setRunningCameraApp(nullptr);
}

// Another process started (or the process was ended from outside): this app is gone.
void CameraApp::processReset() {
    // A fresh launch of another app beside this one leaves this process alive.
    if (launching_ || !running_ || platform::Process::isAlive(kCameraBundleIdentifier)) return;
    log_.record("processEnded");
    dropProcessObjects();
    running_ = false;
}

void CameraApp::launch(const platform::DeviceProfile& profile, const LaunchOptions& options) {
    if (running_) kill();
    profile_ = profile;
    options_ = options;
    if (options.installProfile) {
        platform::installDeviceProfile(profile, options.displayZoom, options.faults);
    }
    launching_ = true;
    // The Settings app lives on in the background through a fresh start of the camera.
    platform::Process::launch(kCameraBundleIdentifier,
                              platform::Process::isAlive(kSettingsBundleIdentifier)
                                  ? platform::Process::Others::Keep
                                  : platform::Process::Others::End);
    launching_ = false;
    setCurrentLog(&log_);
    detail::setRunningCameraApp(this);
    UIApplication::sharedApplication().reset();
    running_ = true;
    background_ = false;
    log_.record("launch", profile.modelIdentifier);

    // The host's classes exist before any add-on code runs; the add-ons run before the app's own.
    registerHostClasses();
    if (options.runInjection) {
        log_.record("injection");
        objc::Injection::shared().runConstructors();
    }

    controller_ = std::make_shared<CaptureController>(profile);
    controller_->setInitialMode(options.cameraMode, options.cameraDevice);
    controller_->setSceneOverride(scene_);
    setSharedCaptureController(controller_);
    window_ = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    viewController_ = std::make_shared<CameraViewController>(controller_);
    window_->setRootViewController(viewController_);
    controller_->setCameraView(viewController_->cameraView());
    window_->makeKeyAndVisible();
    window_->layoutIfNeeded();
    viewController_->viewWillAppear(false);
    viewController_->viewDidAppear(false);
    call<hostsel::CAMCaptureController::startPreview>(controller_.get());
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::dropProcessObjects() {
    if (controller_) {
        if (AssetSaver* saver = controller_->assetSaver()) {
            saver->drain();
            for (auto& p : saver->savedPaths()) savedEarlier_.push_back(p);
        }
    }
    setSharedCaptureController(nullptr);
    // The touch state belongs to the front app: ended from a background app's action (a
    // settings switch), the camera leaves the touch being delivered alone.
    if (platform::Process::current().bundleIdentifier() == kCameraBundleIdentifier) {
        UIApplication::sharedApplication().reset();
    }
    viewController_.reset();
    window_.reset();
    controller_.reset();
    if (detail::runningCameraApp() == this) detail::setRunningCameraApp(nullptr);
}

void CameraApp::terminate() {
    if (!running_) return;
    if (!background_) background();
    if (CameraView* v = cameraView()) call<hostsel::CAMCameraView::dealloc>(v);
    log_.record("terminate");
    dropProcessObjects();
    running_ = false;
    platform::Process::end(kCameraBundleIdentifier);
}

void CameraApp::kill() {
    if (!running_) return;
    log_.record("killed");
    dropProcessObjects();
    running_ = false;
    platform::Process::end(kCameraBundleIdentifier);
}

CameraView* CameraApp::cameraView() const {
    return viewController_ ? viewController_->cameraView().get() : nullptr;
}

std::vector<std::string> CameraApp::savedPhotos() const {
    std::vector<std::string> all = savedEarlier_;
    if (controller_ && controller_->assetSaver()) {
        for (auto& p : controller_->assetSaver()->savedPaths()) all.push_back(p);
    }
    return all;
}

// ---- Scene

void CameraApp::setScene(double brightnessEV, double distanceMetres) {
    setScene(SceneOverride{brightnessEV, distanceMetres});
}

void CameraApp::setScene(const SceneOverride& scene) {
    scene_ = scene.sanitised();
    if (controller_) controller_->setSceneOverride(scene_);
}

// ---- Home button

void CameraApp::background() {
    if (!running_ || background_ || !controller_) return;
    CameraView* view = cameraView();
    if (controller_->isRecording())
        call<hostsel::CAMCaptureController::stopVideoCapture>(controller_.get());
    if (view) {
        call<hostsel::CAMCameraView::animateBlurForSuspension>(view);
        call<hostsel::CAMCameraView::stopPreviewAnimated>(view, true);
    }
    auto note = std::make_shared<Notification>("UIApplicationDidEnterBackgroundNotification");
    call<hostsel::CAMCaptureController::_applicationDidEnterBackground>(controller_.get(),
                                                                        note.get());
    // The camera is handed back to the system while the app is away.
    call<hostsel::CAMCaptureController::_destroyCamera>(controller_.get());
    background_ = true;
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::foreground() {
    if (!running_ || !background_ || !controller_) return;
    background_ = false;
    platform::Process::bringToFront(kCameraBundleIdentifier);
    setCurrentLog(&log_);
    if (window_) window_->makeKeyAndVisible();
    call<hostsel::CAMCaptureController::startPreview>(controller_.get());
    platform::RunLoop::main().runUntilIdle();
}

// ---- Touches

CGPoint CameraApp::centreInWindow(const UIView& view) {
    const CGRect b = view.bounds();
    return view.convertPointToView(CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b)), nullptr);
}

void CameraApp::touch(int finger, UITouchPhase phase, CGPoint point) {
    if (!running_ || background_ || !window_) return;
    UIApplication::sharedApplication().sendTouch(finger, phase, point, window_.get());
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::tap(CGPoint point) {
    touch(0, UITouchPhaseBegan, point);
    runFor(0.05);
    touch(0, UITouchPhaseEnded, point);
}

void CameraApp::twoFingerTap(CGPoint point) {
    if (!running_ || background_ || !window_) return;
    const CGPoint second = CGPointMake(point.x + 30, point.y);
    auto& app = UIApplication::sharedApplication();
    app.sendTouches({{0, UITouchPhaseBegan, point}, {1, UITouchPhaseBegan, second}}, window_.get());
    runFor(0.05);
    app.sendTouches({{0, UITouchPhaseEnded, point}, {1, UITouchPhaseEnded, second}}, window_.get());
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::longPress(CGPoint point, double seconds) {
    touch(0, UITouchPhaseBegan, point);
    runFor(seconds);
    touch(0, UITouchPhaseEnded, point);
}

void CameraApp::pan(CGPoint from, CGPoint to, int steps) {
    steps = std::max(1, steps);
    touch(0, UITouchPhaseBegan, from);
    for (int i = 1; i <= steps; ++i) {
        runFor(0.016);
        const double t = static_cast<double>(i) / steps;
        touch(0, UITouchPhaseMoved,
              CGPointMake(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
    }
    touch(0, UITouchPhaseEnded, to);
}

// ---- User actions

void CameraApp::tapShutter() {
    if (CameraView* v = cameraView()) tap(centreInWindow(*v->bottomBar()->shutter()));
}

void CameraApp::flip() {
    if (CameraView* v = cameraView()) tap(centreInWindow(*v->topBar()->flipButton()));
}

bool CameraApp::setMode(const std::string& name) {
    CameraView* v = cameraView();
    if (v == nullptr || background_) return false;
    const auto names = v->modeNames();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) return false;
    const long target = it - names.begin();
    for (std::size_t tries = 0; tries <= names.size() && v->modeIndex() != target; ++tries) {
        // Swipe across the lower part of the picture, away from the focus square.
        const auto& preview = v->previewView();
        const CGRect b = preview->bounds();
        CGPoint start = CGPointMake(CGRectGetMidX(b), b.size.height * 0.85);
        if (CGRectContainsPoint(CGRectInset(preview->lastFocusFrame(), -30, -30), start)) {
            start.y = b.size.height * 0.15;
        }
        start = preview->convertPointToView(start, nullptr);
        const double dx = v->modeIndex() < target ? -120 : 120;
        pan(start, CGPointMake(start.x + dx, start.y));
        platform::RunLoop::main().runUntilIdle();
    }
    return v->modeIndex() == target;
}

void CameraApp::startRecording() {
    if (controller_ && isRecordingMode(controller_->cameraMode()) && !controller_->isRecording()) {
        tapShutter();
    }
}

void CameraApp::stopRecording() {
    if (controller_ && controller_->isRecording()) tapShutter();
}

void CameraApp::tapStillDuringRecording() {
    if (CameraView* v = cameraView()) tap(centreInWindow(*v->bottomBar()->stillButton()));
}

void CameraApp::rotate(long orientation) {
    if (!running_ || !controller_) return;
    controller_->deviceOrientationDetected(orientation);
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::showGrid() {
    CameraView* v = cameraView();
    if (v == nullptr || v->isShowingGrid()) return;
    tap(centreInWindow(*v->bottomBar()->filterButton()));
    runFor(0.3);
}

void CameraApp::hideGrid() {
    CameraView* v = cameraView();
    if (v == nullptr || !v->isShowingGrid()) return;
    tap(centreInWindow(*v->bottomBar()->filterButton()));
    runFor(0.3);
}

void CameraApp::expandMenu() {
    CameraView* v = cameraView();
    if (v == nullptr) return;
    const auto& menu =
        v->topBar()->flashMenu()->isHidden() ? v->topBar()->hdrMenu() : v->topBar()->flashMenu();
    if (!menu->isHidden() && !menu->isExpanded()) tap(centreInWindow(*menu));
}

void CameraApp::collapseMenu() {
    CameraView* v = cameraView();
    if (v == nullptr) return;
    for (const auto& menu : {v->topBar()->flashMenu(), v->topBar()->hdrMenu()}) {
        if (menu->isExpanded()) tap(centreInWindow(*menu->optionButtons().front()));
    }
}

void CameraApp::startBurst() {
    CameraView* v = cameraView();
    if (v == nullptr) return;
    touch(0, UITouchPhaseBegan, centreInWindow(*v->bottomBar()->shutter()));
    runFor(0.6);
}

void CameraApp::stopBurst() {
    CameraView* v = cameraView();
    if (v == nullptr) return;
    touch(0, UITouchPhaseEnded, centreInWindow(*v->bottomBar()->shutter()));
}

void CameraApp::memoryWarning() {
    if (!running_) return;
    call<hostsel::UIApplication::didReceiveMemoryWarning>(&UIApplication::sharedApplication());
    platform::RunLoop::main().runUntilIdle();
}

void CameraApp::takePicture() {
    if (CameraView* v = cameraView()) v->takePicture();
}

// ---- Time

void CameraApp::runFor(double seconds) {
    platform::RunLoop::main().runFor(seconds);
}

void CameraApp::settle() {
    auto& loop = platform::RunLoop::main();
    loop.runUntilIdle();
    for (int i = 0; i < 100 && controller_ && controller_->stillsInFlight() > 0; ++i) {
        if (AssetSaver* saver = controller_->assetSaver()) saver->drain();
        loop.runFor(0.1);
    }
    loop.runUntilIdle();
}

std::vector<std::string> photosInLibrary() {
    std::vector<std::string> out;
    auto& fs = ns::FileSystem::shared();
    const std::string dcim = "/var/mobile/Media/DCIM";
    auto folders = fs.contentsOfDirectory(dcim);
    if (!folders) return out;
    for (const auto& folder : *folders) {
        auto files = fs.contentsOfDirectory(dcim + "/" + folder);
        if (!files) continue;
        for (const auto& f : *files) out.push_back(dcim + "/" + folder + "/" + f);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace host
