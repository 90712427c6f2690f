#pragma once
// The host's capture controller: owns the capture session, the two cameras' inputs, the still and
// movie outputs, the camera mode and device, recording, bursts and still capture. It calls its
// replaceable methods through the runtime (host::call) at the moments the stock camera does; the
// runtime's original implementations (HostClasses.cpp) call the host* members below.
//
// Main thread, except the asset saver's work (AssetSaver.h). The camera mode and device may be
// read from any thread (the add-on reads the camera on the photo-saving thread).

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/AssetSaver.h"
#include "host/HostObjects.h"
#include "host/Scene.h"
#include "hostapi/HostAPI.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/runloop/Timer.h"

namespace host {

class CameraView;
class FocusObserver;

// Camera modes: 0, 4 and 6 photo modes, 1 and 2 video modes, 3 panorama, 5 time-lapse.
struct CameraModeInfo {
    long mode;
    const char* name;
};
// Modes whose shutter takes stills: the photo modes 0, 4 and 6, and panorama (3).
bool isPhotoMode(long mode);
// Modes that record (video, slow motion, time-lapse).
bool isRecordingMode(long mode);
// The shutter's idle look for a mode.
long shutterModeFor(long mode);

class AvalancheSession : public CAMAvalancheSession {};

// A burst: its session object and the stills it took that are not saved yet. The session ends
// (dealloc) once the burst is stopped and its last still is saved, as on the platform, where
// the session lives until its captures are processed.
struct Burst {
    std::shared_ptr<AvalancheSession> session;
    std::size_t unsaved = 0;
    bool stopped = false;
};

class CaptureController : public CAMCaptureController {
public:
    explicit CaptureController(const platform::DeviceProfile& profile);
    ~CaptureController() override;

    void setCameraView(const std::shared_ptr<CameraView>& view) { view_ = view; }
    // The mode and camera the set-up starts with.
    void setInitialMode(long mode, long device) {
        mode_ = mode;
        device_ = device;
    }
    const platform::DeviceProfile& profile() const { return profile_; }

    // ---- CAMCaptureController
    long cameraMode() const override { return mode_.load(); }
    long cameraDevice() const override { return device_.load(); }
    std::shared_ptr<AVCaptureDevice> currentDevice() const override { return currentDevice_; }
    std::shared_ptr<AVCaptureSession> currentSession() const override { return session_; }
    std::shared_ptr<AVCaptureOutput> currentOutput() const override;
    float focusLensPosition() const override;
    CGPoint focusPointOfInterest() const override;
    CGPoint exposurePointOfInterest() const override;
    void _setSubjectAreaChangeMonitoringEnabled(bool enabled) override;
    bool userLockedFocus() const override { return lockedFocus_; }
    bool userLockedExposure() const override { return lockedExposure_; }
    void setUserLockedFocus(bool focus, bool exposure) override;
    void _setFocusModeLockedWithLensPosition() override;

    // ---- What the host offers
    // The modes of a camera (0 back, 1 front), in the order of the mode row.
    std::vector<CameraModeInfo> availableModes(long device) const;
    bool hasCamera(long device) const;
    bool isRecording() const { return recording_; }
    double recordingStartTime() const { return recordingStart_; }
    // A burst is being shot (its stills may still be saved after it stops).
    bool isBursting() const { return burst_ != nullptr; }
    bool isSessionRunning() const { return session_ && session_->isRunning(); }
    // The orientation stills are stored for: the last upright or landscape hold.
    long captureOrientation() const { return captureOrientation_; }
    // The EXIF orientation of a still taken now.
    int exifOrientationForCapture() const;
    // What the camera sees now; nullopt without a running session.
    std::optional<SceneShot> currentShot() const;
    // A scene set from outside (the simulator) in place of the host's own. It holds until it is
    // replaced: across camera and mode switches and focus taps, where the host would otherwise
    // put its own scene back in front of the camera.
    void setSceneOverride(const SceneOverride& scene);
    const SceneOverride& sceneOverride() const { return sceneOverride_; }
    double exposureBias() const { return biasEV_; }
    void setExposureBias(double ev) { biasEV_ = ev; }
    // Focus and exposure at a point of the preview (normalised to the portrait frame).
    void focusAndExpose(bool focus, bool exposure, CGPoint normalised);
    AssetSaver* assetSaver() const { return saver_.get(); }

    // ---- The host's behaviour (called by the camera view and the app)
    // Takes one still now; false when no picture can be taken (no camera, no session).
    bool captureStill(bool viaTakePicture, bool burst, bool duringRecording);
    void startBurst();
    void stopBurst();
    // The accelerometer reports a new device orientation.
    void deviceOrientationDetected(long orientation);
    void stopPreview();
    std::size_t stillsInFlight() const { return stillsInFlight_; }

    // ---- Host implementations of the replaceable methods
    void hostSetupCamera();
    void hostDestroyCamera();
    void hostSetCameraModeDevice(long mode, long device);
    void hostApplyCameraMode(long mode, long device);
    std::string hostPhotoPreset(long mode, long device) const;
    std::string hostVideoPreset(long device, long options) const;
    long hostMogulFrameRate() const;
    void hostStartPreview();
    void hostStartPreviewWith(id completion);
    void hostResumePreview();
    void hostSessionStarted(id notification);
    void hostSessionStopped(id notification);
    void hostDeviceStarted(id notification);
    void hostPreviewStarted();
    void hostWillTakePhoto();
    void hostDidTakePhoto();
    void hostApplyHDRSettings(id request);
    void hostStartVideoCapture();
    void hostStopVideoCapture();
    bool hostCanChangeFocusOrExposure() const;
    bool hostCanCapturePhotoDuringRecording() const;
    void hostFocusStarted();
    void hostFocusCompleted();
    void hostApplicationDidEnterBackground(id notification);
    void hostAccelerometerChanged(id accelerometer, long orientation);

private:
    friend class FocusObserver;
    std::shared_ptr<AVCaptureDevice> deviceFor(long device) const;
    const platform::CameraProfile* cameraProfile(long device) const;
    void useDevice(long device);
    void configureDevice();
    void applySlowMotion(long fps);
    // Puts the scene in front of the current camera, focused on what lies at `point` of the
    // portrait frame (normalised) unless the override says how far the subject is.
    void updateScene(CGPoint point);
    void finishStill(const std::shared_ptr<StillImageRequest>& request, const SceneShot& shot,
                     const std::shared_ptr<Burst>& burst);
    void stillSaved(bool success, const std::shared_ptr<Burst>& burst);
    // Ends a stopped burst's session once none of its stills waits to be saved.
    void endBurstWhenSaved(const std::shared_ptr<Burst>& burst);

    platform::DeviceProfile profile_;
    std::weak_ptr<CameraView> view_;
    std::shared_ptr<AVCaptureSession> session_;
    std::shared_ptr<AVCaptureDeviceInput> input_;
    std::shared_ptr<AVCaptureDevice> currentDevice_;
    std::shared_ptr<AVCaptureStillImageOutput> stillOutput_;
    std::shared_ptr<AVCaptureMovieFileOutput> movieOutput_;
    std::shared_ptr<FocusObserver> focusObserver_;
    std::shared_ptr<AssetSaver> saver_;
    // The burst being shot; a stopped one lives on in its unsaved stills' callbacks.
    std::shared_ptr<Burst> burst_;
    std::shared_ptr<platform::NSTimer> burstTimer_;
    std::shared_ptr<NSObject> accelerometer_;
    std::atomic<long> mode_{0};
    std::atomic<long> device_{0};
    bool recording_ = false;
    double recordingStart_ = 0;
    bool lockedFocus_ = false;
    bool lockedExposure_ = false;
    double biasEV_ = 0;
    SceneOverride sceneOverride_;
    CGPoint scenePoint_ = CGPointMake(0.5, 0.5);  // where the camera last focused (portrait)
    long captureOrientation_ = 1;
    int stillCount_ = 0;
    std::size_t stillsInFlight_ = 0;
};

// The process's shared controller (answered by +sharedInstance).
void setSharedCaptureController(const std::shared_ptr<CaptureController>& controller);
CaptureController* sharedCaptureController();

}  // namespace host
