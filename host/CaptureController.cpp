#include "host/CaptureController.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <utility>

#include "host/CameraView.h"
#include "host/HostCall.h"
#include "platform/capture/ConfigurationGuards.h"
#include "platform/device/UIDevice.h"
#include "platform/runloop/RunLoop.h"

namespace host {

bool isPhotoMode(long mode) {
    return mode == 0 || mode == 4 || mode == 6 || mode == 3;
}

bool isRecordingMode(long mode) {
    return mode == 1 || mode == 2 || mode == 5;
}

long shutterModeFor(long mode) {
    switch (mode) {
        case 1:
            return kShutterVideo;
        case 2:
            return kShutterSlalom;
        case 3:
            return kShutterPanorama;
        case 5:
            return kShutterTimeLapse;
        default:
            return kShutterStill;
    }
}

// Reports the camera's focus adjustments as _focusStarted / _focusCompleted.
class FocusObserver : public NSKeyValueObserving {
public:
    explicit FocusObserver(std::weak_ptr<NSObject> controller)
        : controller_(std::move(controller)) {}
    void observeValueForKeyPath(const std::string& keyPath, NSObject*,
                                const NSKeyValueChange& change, void*) override {
        auto self = controller_.lock();
        if (self == nullptr || keyPath != "adjustingFocus" || !change.newValue) return;
        if (*change.newValue != 0) {
            call<hostsel::CAMCaptureController::_focusStarted>(self.get());
        } else {
            call<hostsel::CAMCaptureController::_focusCompleted>(self.get());
        }
    }

private:
    std::weak_ptr<NSObject> controller_;
};

namespace {

// Set on the main thread, asked for on any (the add-on asks on the photo-saving thread).
std::mutex sharedMutex;
std::weak_ptr<CaptureController> sharedController;

AVCaptureDevicePosition positionOf(long device) {
    return device == 1 ? AVCaptureDevicePositionFront : AVCaptureDevicePositionBack;
}

// Options of the video preset question: 0 video, 1 slow motion, 2 time-lapse.
long videoOptions(long mode) {
    return mode == 2 ? 1 : mode == 5 ? 2 : 0;
}

std::shared_ptr<Notification> notification(const char* name) {
    return std::make_shared<Notification>(name);
}

}  // namespace

void setSharedCaptureController(const std::shared_ptr<CaptureController>& controller) {
    std::lock_guard lock(sharedMutex);
    sharedController = controller;
}

// The controller outlives every caller: the app drains the saving queue before it lets the
// controller go.
CaptureController* sharedCaptureController() {
    std::lock_guard lock(sharedMutex);
    return sharedController.lock().get();
}

CaptureController::CaptureController(const platform::DeviceProfile& profile)
    : profile_(profile),
      saver_(std::make_shared<AssetSaver>()),
      accelerometer_(std::make_shared<NSObject>()) {
    const long o = UIDevice::currentDevice().orientation();
    if (o >= 1 && o <= 4) captureOrientation_ = o;
}

CaptureController::~CaptureController() {
    if (currentDevice_ && focusObserver_) {
        currentDevice_->removeObserver(focusObserver_.get(), "adjustingFocus");
    }
    if (burstTimer_) burstTimer_->invalidate();
    if (saver_) saver_->drain();
}

// ---- Members the add-on reads

std::shared_ptr<AVCaptureOutput> CaptureController::currentOutput() const {
    if (isRecordingMode(mode_)) return movieOutput_;
    return stillOutput_;
}

float CaptureController::focusLensPosition() const {
    return currentDevice_ ? currentDevice_->lensPosition() : 1.0f;
}

CGPoint CaptureController::focusPointOfInterest() const {
    return currentDevice_ ? currentDevice_->focusPointOfInterest() : CGPointMake(0.5, 0.5);
}

CGPoint CaptureController::exposurePointOfInterest() const {
    return currentDevice_ ? currentDevice_->exposurePointOfInterest() : CGPointMake(0.5, 0.5);
}

void CaptureController::_setSubjectAreaChangeMonitoringEnabled(bool enabled) {
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        currentDevice_->setSubjectAreaChangeMonitoringEnabled(enabled);
    }
}

void CaptureController::setUserLockedFocus(bool focus, bool exposure) {
    lockedFocus_ = focus;
    lockedExposure_ = exposure;
    if (focus) _setFocusModeLockedWithLensPosition();
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        const AVCaptureExposureMode e =
            exposure ? AVCaptureExposureModeLocked : AVCaptureExposureModeContinuousAutoExposure;
        if (currentDevice_->isExposureModeSupported(e)) currentDevice_->setExposureMode(e);
        if (!focus && currentDevice_->isFocusModeSupported(AVCaptureFocusModeContinuousAutoFocus)) {
            currentDevice_->setFocusMode(AVCaptureFocusModeContinuousAutoFocus);
        }
    }
    if (auto view = view_.lock()) view->lockStateChanged();
}

void CaptureController::_setFocusModeLockedWithLensPosition() {
    if (!currentDevice_ || !currentDevice_->isLockingFocusWithCustomLensPositionSupported()) return;
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        currentDevice_->setFocusModeLockedWithLensPosition(AVCaptureLensPositionCurrent);
    }
}

// ---- Cameras and modes

std::shared_ptr<AVCaptureDevice> CaptureController::deviceFor(long device) const {
    for (const auto& d : AVCaptureDevice::devices()) {
        if (d && d->position() == positionOf(device)) return d;
    }
    return nullptr;
}

const platform::CameraProfile* CaptureController::cameraProfile(long device) const {
    return profile_.camera(positionOf(device));
}

bool CaptureController::hasCamera(long device) const {
    return deviceFor(device) != nullptr;
}

std::vector<CameraModeInfo> CaptureController::availableModes(long device) const {
    if (!hasCamera(device)) return {};
    if (device == 1) return {{1, "VIDEO"}, {0, "PHOTO"}, {4, "SQUARE"}};
    std::vector<CameraModeInfo> modes{{5, "TIME-LAPSE"}};
    if (hostMogulFrameRate() > 0) modes.push_back({2, "SLO-MO"});
    modes.push_back({1, "VIDEO"});
    modes.push_back({0, "PHOTO"});
    modes.push_back({4, "SQUARE"});
    if (profile_.idiom == 0) modes.push_back({3, "PANO"});
    return modes;
}

long CaptureController::hostMogulFrameRate() const {
    auto back = deviceFor(0);
    if (!back) return 0;
    for (const auto& f : back->formats()) {
        if (f && f->highestFrameRate() >= 120) return 120;
    }
    return 0;
}

std::string CaptureController::hostPhotoPreset(long, long) const {
    return AVCaptureSessionPresetPhoto;
}

std::string CaptureController::hostVideoPreset(long, long options) const {
    return options == 2 ? AVCaptureSessionPreset1280x720 : AVCaptureSessionPresetHigh;
}

void CaptureController::hostSetupCamera() {
    if (session_) return;
    session_ = std::make_shared<AVCaptureSession>();
    stillOutput_ = std::make_shared<AVCaptureStillImageOutput>();
    movieOutput_ = std::make_shared<AVCaptureMovieFileOutput>();
    {
        platform::SessionConfiguration bracket(session_);
        if (session_->canAddOutput(stillOutput_)) session_->addOutput(stillOutput_);
        if (session_->canAddOutput(movieOutput_)) session_->addOutput(movieOutput_);
    }
    input_.reset();
    long device = device_;
    if (!hasCamera(device)) device = hasCamera(0) ? 0 : 1;
    call<hostsel::CAMCaptureController::setCameraMode_device>(this, mode_, device);
}

void CaptureController::hostDestroyCamera() {
    if (recording_) call<hostsel::CAMCaptureController::stopVideoCapture>(this);
    if (session_ && session_->isRunning()) stopPreview();
    if (currentDevice_ && focusObserver_) {
        currentDevice_->removeObserver(focusObserver_.get(), "adjustingFocus");
    }
    session_.reset();
    input_.reset();
    currentDevice_.reset();
    stillOutput_.reset();
    movieOutput_.reset();
}

void CaptureController::hostSetCameraModeDevice(long mode, long device) {
    if (!hasCamera(device)) device = device_;
    const auto modes = availableModes(device);
    const bool offered = std::any_of(modes.begin(), modes.end(),
                                     [&](const CameraModeInfo& m) { return m.mode == mode; });
    // A mode the camera does not have falls back to the nearest it has.
    if (!offered && mode != 6) mode = isRecordingMode(mode) ? 1 : 0;
    call<hostsel::CAMCaptureController::_setCameraMode_cameraDevice>(this, mode, device);
}

void CaptureController::hostApplyCameraMode(long mode, long device) {
    if (recording_) call<hostsel::CAMCaptureController::stopVideoCapture>(this);
    const bool deviceChanged = device != device_ || !input_;
    mode_ = mode;
    device_ = device;
    if (!session_) return;
    const bool photo = isPhotoMode(mode);
    std::string preset =
        photo ? call<hostsel::CAMCaptureController::_photoModeSessionPresetForMode_device>(
                    this, mode, device)
              : call<hostsel::CAMCaptureController::_videoModeSessionPresetForDevice_options>(
                    this, device, videoOptions(mode));
    {
        platform::SessionConfiguration bracket(session_);
        if (deviceChanged) useDevice(device);
        if (!session_->canSetSessionPreset(preset)) {
            log().record("presetRefused", preset);
            preset = photo ? AVCaptureSessionPresetPhoto : AVCaptureSessionPresetHigh;
            if (!session_->canSetSessionPreset(preset)) preset = AVCaptureSessionPresetHigh;
        }
        session_->setSessionPreset(preset);
    }
    if (mode == 2) applySlowMotion(call<hostsel::CAMCaptureController::mogulFrameRate>(this));
    configureDevice();
    biasEV_ = 0;
    lockedFocus_ = lockedExposure_ = false;
    std::weak_ptr<NSObject> weak = weak_from_this();
    platform::RunLoop::main().post([this, weak] {
        if (weak.expired()) return;
        if (auto view = view_.lock()) {
            call<hostsel::CAMCameraView::cameraControllerModeDidChange>(view.get(), this);
        }
    });
}

void CaptureController::useDevice(long device) {
    if (currentDevice_ && focusObserver_) {
        currentDevice_->removeObserver(focusObserver_.get(), "adjustingFocus");
    }
    if (input_) session_->removeInput(input_);
    input_.reset();
    currentDevice_ = deviceFor(device);
    if (!currentDevice_) return;
    input_ = AVCaptureDeviceInput::deviceInputWithDevice(currentDevice_);
    if (input_ && session_->canAddInput(input_)) session_->addInput(input_);
    if (!focusObserver_) focusObserver_ = std::make_shared<FocusObserver>(weak_from_this());
    currentDevice_->addObserver(focusObserver_, "adjustingFocus", NSKeyValueObservingOptionNew,
                                nullptr);
}

// Continuous focus, exposure and white balance; stills from the front camera mirrored, as the
// camera delivers them; the scene in front of the camera.
void CaptureController::configureDevice() {
    if (!currentDevice_) return;
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        if (currentDevice_->isFocusModeSupported(AVCaptureFocusModeContinuousAutoFocus)) {
            currentDevice_->setFocusPointOfInterest(CGPointMake(0.5, 0.5));
            currentDevice_->setFocusMode(AVCaptureFocusModeContinuousAutoFocus);
        }
        if (currentDevice_->isExposureModeSupported(AVCaptureExposureModeContinuousAutoExposure)) {
            currentDevice_->setExposurePointOfInterest(CGPointMake(0.5, 0.5));
            currentDevice_->setExposureMode(AVCaptureExposureModeContinuousAutoExposure);
        }
        if (currentDevice_->isWhiteBalanceModeSupported(
                AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance)) {
            currentDevice_->setWhiteBalanceMode(
                AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
        }
    }
    if (stillOutput_) {
        if (auto c = stillOutput_->connectionWithMediaType(AVMediaTypeVideo)) {
            c->setVideoMirrored(device_ == 1);
        }
    }
    if (movieOutput_) {
        if (auto c = movieOutput_->connectionWithMediaType(AVMediaTypeVideo))
            c->setVideoMirrored(false);
    }
    scenePoint_ = CGPointMake(0.5, 0.5);
    updateScene(scenePoint_);
}

void CaptureController::setSceneOverride(const SceneOverride& scene) {
    sceneOverride_ = scene.sanitised();
    updateScene(scenePoint_);
}

void CaptureController::updateScene(CGPoint point) {
    if (!currentDevice_) return;
    const SceneKind kind = device_ == 1 ? SceneKind::Selfie : SceneKind::Landscape;
    currentDevice_->setScene(
        {sceneOverride_.brightnessEV.value_or(sceneBrightnessEV(kind)),
         sceneOverride_.distanceMetres.value_or(depthAt(kind, point, false, device_ == 1))});
}

void CaptureController::applySlowMotion(long fps) {
    if (fps <= 30 || !currentDevice_) return;
    std::shared_ptr<AVCaptureDeviceFormat> best;
    for (const auto& f : currentDevice_->formats()) {
        if (!f || f->highestFrameRate() < fps) continue;
        if (!best || f->dimensions().height > best->dimensions().height) best = f;
    }
    if (!best) return;
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        currentDevice_->setActiveFormat(best);
        const CMTime d = CMTimeMake(1, static_cast<CMTimeScale>(fps));
        currentDevice_->setActiveVideoMinFrameDuration(d);
        currentDevice_->setActiveVideoMaxFrameDuration(d);
    }
}

// ---- Preview and session

void CaptureController::hostStartPreview() {
    if (!session_) call<hostsel::CAMCaptureController::_setupCamera>(this);
    call<hostsel::CAMCaptureController::startPreview_>(this, nullptr);
}

void CaptureController::hostStartPreviewWith(id) {
    if (!session_ || session_->isRunning()) return;
    session_->startRunning();
    // The session and the camera report their start from the capture queue; the first frames
    // reach the screen a little later.
    std::weak_ptr<NSObject> weak = weak_from_this();
    platform::RunLoop::main().post([this, weak] {
        if (weak.expired() || !isSessionRunning()) return;
        auto started = notification("AVCaptureSessionDidStartRunningNotification");
        call<hostsel::CAMCaptureController::_sessionStarted>(this, started.get());
        auto device = notification("CAMCaptureControllerDeviceStartedNotification");
        call<hostsel::CAMCaptureController::_deviceStarted>(this, device.get());
        call<hostsel::CAMCaptureController::resumePreview>(this);
    });
    platform::RunLoop::main().schedule(0.25, [this, weak] {
        if (weak.expired() || !isSessionRunning()) return;
        call<hostsel::CAMCaptureController::_previewStarted>(this);
    });
}

void CaptureController::hostResumePreview() {
    if (auto view = view_.lock()) view->previewResumed();
}

void CaptureController::hostSessionStarted(id) {}
void CaptureController::hostDeviceStarted(id) {}
void CaptureController::hostSessionStopped(id) {}

void CaptureController::hostPreviewStarted() {
    if (auto view = view_.lock()) view->previewDidStart();
}

void CaptureController::stopPreview() {
    if (!session_ || !session_->isRunning()) return;
    session_->stopRunning();
    std::weak_ptr<NSObject> weak = weak_from_this();
    platform::RunLoop::main().post([this, weak] {
        if (weak.expired()) return;
        auto stopped = notification("AVCaptureSessionDidStopRunningNotification");
        call<hostsel::CAMCaptureController::_sessionStopped>(this, stopped.get());
    });
}

void CaptureController::hostApplicationDidEnterBackground(id) {
    if (burst_) stopBurst();
}

// ---- Orientation

void CaptureController::deviceOrientationDetected(long orientation) {
    call<hostsel::CAMCaptureController::accelerometer_didChangeDeviceOrientation>(
        this, accelerometer_.get(), orientation);
}

void CaptureController::hostAccelerometerChanged(id, long orientation) {
    if (orientation < 0 || orientation > 6) return;
    // Face up and face down keep the last hold for stills.
    if (orientation >= 1 && orientation <= 4) captureOrientation_ = orientation;
    UIDevice::currentDevice().setOrientation(orientation);
}

int CaptureController::exifOrientationForCapture() const {
    // The sensor is mounted for landscape-left; the front camera faces the other way, so its two
    // landscape holds swap.
    switch (captureOrientation_) {
        case 2:
            return 8;
        case 3:
            return device_ == 1 ? 3 : 1;
        case 4:
            return device_ == 1 ? 1 : 3;
        default:
            return 6;
    }
}

// ---- Focus and exposure

bool CaptureController::hostCanChangeFocusOrExposure() const {
    return isSessionRunning() && currentDevice_ != nullptr && mode_ != 3;
}

void CaptureController::hostFocusStarted() {}
void CaptureController::hostFocusCompleted() {}

void CaptureController::focusAndExpose(bool focus, bool exposure, CGPoint n) {
    if (!currentDevice_) return;
    // The sensor is landscape: a point of the portrait preview turns a quarter.
    const CGPoint poi =
        CGPointMake(std::clamp<double>(n.y, 0, 1), std::clamp<double>(1 - n.x, 0, 1));
    if (platform::ConfigurationLock lock(currentDevice_); lock) {
        if (focus && currentDevice_->isFocusModeSupported(AVCaptureFocusModeAutoFocus)) {
            currentDevice_->setFocusPointOfInterest(poi);
            currentDevice_->setFocusMode(AVCaptureFocusModeAutoFocus);
        }
        if (exposure && currentDevice_->isExposureModeSupported(AVCaptureExposureModeAutoExpose)) {
            currentDevice_->setExposurePointOfInterest(poi);
            currentDevice_->setExposureMode(AVCaptureExposureModeAutoExpose);
        }
    }
    if (focus) {
        scenePoint_ = n;
        updateScene(n);
    }
}

std::optional<SceneShot> CaptureController::currentShot() const {
    if (!isSessionRunning() || !currentDevice_) return std::nullopt;
    SceneShot shot;
    shot.kind = device_ == 1 ? SceneKind::Selfie : SceneKind::Landscape;
    shot.lensPosition = currentDevice_->lensPosition();
    const platform::CameraProfile* cam = cameraProfile(device_);
    shot.nearestFocusMetres = cam ? cam->minimumFocusDistance : 0.1;
    shot.aperture = cam ? cam->aperture : 2.4;
    shot.fixedFocus = !currentDevice_->isFocusPointOfInterestSupported();
    shot.iso = currentDevice_->ISO();
    shot.exposureSeconds = CMTimeGetSeconds(currentDevice_->exposureDuration());
    shot.biasEV = biasEV_;
    shot.brightnessEV = sceneOverride_.brightnessEV;
    shot.mirrored = device_ == 1;  // the preview is a mirror for the front camera
    return shot;
}

// ---- Stills

void CaptureController::hostWillTakePhoto() {}
void CaptureController::hostDidTakePhoto() {}
void CaptureController::hostApplyHDRSettings(id) {}

bool CaptureController::captureStill(bool viaTakePicture, bool burst, bool duringRecording) {
    std::optional<SceneShot> shot = currentShot();
    if (!shot) {
        log().record("captureRefused", "no running camera");
        return false;
    }
    auto request = std::make_shared<StillImageRequest>();
    request->number = ++stillCount_;
    request->exifOrientation = exifOrientationForCapture();
    request->burst = burst;
    request->duringRecording = duringRecording;
    request->viaTakePicture = viaTakePicture;
    auto view = view_.lock();
    request->hdr = view && view->hdrOn();
    call<hostsel::CAMCaptureController::_willTakePhoto>(this);
    call<hostsel::CAMCaptureController::_applyHDRSettingsFromRequest>(this, request.get());
    if (view) {
        call<hostsel::CAMCameraView::captureController_willCaptureStillImageForRequest>(
            view.get(), this, request.get());
        view->shutterFlash();
    }
    // The picture is what the sensor sees now, mirrored as the output's connection says.
    shot = currentShot();
    if (!shot) shot = SceneShot{};
    const auto output = duringRecording ? std::static_pointer_cast<AVCaptureOutput>(movieOutput_)
                                        : std::static_pointer_cast<AVCaptureOutput>(stillOutput_);
    const auto connection = output ? output->connectionWithMediaType(AVMediaTypeVideo) : nullptr;
    shot->mirrored = connection ? connection->isVideoMirrored() : false;
    ++stillsInFlight_;
    // A burst's still keeps its burst going until it is saved.
    std::shared_ptr<Burst> ofBurst = burst ? burst_ : nullptr;
    if (ofBurst) ++ofBurst->unsaved;
    std::weak_ptr<NSObject> weak = weak_from_this();
    const SceneShot captured = *shot;
    platform::RunLoop::main().schedule(0.1, [this, weak, request, captured, ofBurst] {
        if (weak.expired()) return;
        finishStill(request, captured, ofBurst);
    });
    return true;
}

void CaptureController::finishStill(const std::shared_ptr<StillImageRequest>& request,
                                    const SceneShot& shot, const std::shared_ptr<Burst>& burst) {
    auto view = view_.lock();
    if (view) {
        call<hostsel::CAMCameraView::captureController_didCaptureStillImageForRequest>(
            view.get(), this, request.get());
    }
    auto response = std::make_shared<StillImageResponse>();
    response->request = request;
    response->shot = shot;
    const platform::CameraProfile* cam = cameraProfile(device_);
    response->stillWidth = cam ? cam->stillSize.width : 640;
    response->stillHeight = cam ? cam->stillSize.height : 480;
    if (view) view->showThumbnail(shot, request->exifOrientation);
    std::weak_ptr<NSObject> weak = weak_from_this();
    saver_->save(
        response, [] {},
        [weak, burst](bool success) {
            // Back on the main thread, as the saver's clients expect.
            platform::RunLoop::main().post([weak, burst, success] {
                if (auto self = std::dynamic_pointer_cast<CaptureController>(weak.lock())) {
                    self->stillSaved(success, burst);
                }
            });
        });
    call<hostsel::CAMCaptureController::_didTakePhoto>(this);
}

void CaptureController::stillSaved(bool, const std::shared_ptr<Burst>& burst) {
    if (stillsInFlight_ > 0) --stillsInFlight_;
    if (!burst) return;
    if (burst->unsaved > 0) --burst->unsaved;
    endBurstWhenSaved(burst);
}

void CaptureController::startBurst() {
    if (burst_ || !isPhotoMode(mode_) || mode_ == 3 || !isSessionRunning()) return;
    burst_ = std::make_shared<Burst>();
    burst_->session = std::make_shared<AvalancheSession>();
    call<hostsel::CAMAvalancheSession::init>(burst_->session.get());
    captureStill(false, true, false);
    std::weak_ptr<NSObject> weak = weak_from_this();
    burstTimer_ = platform::NSTimer::scheduled(0.1, true, [this, weak](platform::NSTimer& t) {
        if (weak.expired() || !burst_) {
            t.invalidate();
            return;
        }
        captureStill(false, true, false);
    });
}

// The shutter is released: no more stills, but the session goes only when the last one taken
// is saved (stills not saved yet are still part of the burst).
void CaptureController::stopBurst() {
    if (burstTimer_) burstTimer_->invalidate();
    burstTimer_.reset();
    if (!burst_) return;
    const std::shared_ptr<Burst> stopped = std::exchange(burst_, nullptr);
    stopped->stopped = true;
    endBurstWhenSaved(stopped);
}

void CaptureController::endBurstWhenSaved(const std::shared_ptr<Burst>& burst) {
    if (!burst->stopped || burst->unsaved > 0 || !burst->session) return;
    call<hostsel::CAMAvalancheSession::dealloc>(burst->session.get());
    burst->session.reset();
}

// ---- Video

bool CaptureController::hostCanCapturePhotoDuringRecording() const {
    return recording_ && device_ == 0;
}

void CaptureController::hostStartVideoCapture() {
    if (recording_ || !isSessionRunning() || !isRecordingMode(mode_)) return;
    recording_ = true;
    recordingStart_ = platform::RunLoop::main().now();
    if (auto view = view_.lock()) view->recordingChanged(true);
}

void CaptureController::hostStopVideoCapture() {
    if (!recording_) return;
    recording_ = false;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f",
                  platform::RunLoop::main().now() - recordingStart_);
    log().record("recordingFinished", seconds);
    if (auto view = view_.lock()) view->recordingChanged(false);
}

}  // namespace host
