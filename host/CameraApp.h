#pragma once
// The simulated Camera app as a process: launch on a device profile (with the add-ons' injection
// step), user actions delivered as the phone would deliver them (touches through the UI toolkit
// where the user touches, the home button, the accelerometer), termination, and what the app did
// (its event log, the photos it stored).
//
//   host::CameraApp app;
//   app.launch(profile);
//   app.tapShutter();
//   app.runFor(1.0);
//   app.savedPhotos();   // "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG"

#include <memory>
#include <string>
#include <vector>

#include "host/EventLog.h"
#include "host/Scene.h"
#include "platform/capture/DeviceFactory.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIWindow.h"

namespace host {

class CameraView;
class CameraViewController;
class CaptureController;

struct LaunchOptions {
    // Run the installed add-ons' constructors (the injection step).
    bool runInjection = true;
    // Install the profile's screen and cameras on the device first.
    bool installProfile = true;
    bool displayZoom = false;
    platform::CaptureDeviceFaults faults;
    long cameraMode = 0;
    long cameraDevice = 0;
};

inline constexpr const char* kCameraBundleIdentifier = "com.apple.camera";

class CameraApp {
public:
    CameraApp();
    ~CameraApp();
    CameraApp(const CameraApp&) = delete;
    CameraApp& operator=(const CameraApp&) = delete;

    // Starts a fresh process (ending a running one), runs the injection step after registering
    // the host's classes, then the app's own start: window, camera view, preview.
    void launch(const platform::DeviceProfile& profile, const LaunchOptions& options = {});
    // The user quits the app: it leaves the screen and its camera view goes.
    void terminate();
    // The process is killed (killall -9): nothing of the app runs any more. Photos already
    // handed to the saving queue are still stored, as the photo library does on the phone.
    void kill();
    bool isRunning() const { return running_; }
    bool isInBackground() const { return background_; }

    // The home button and coming back.
    void background();
    void foreground();

    // ---- User actions
    void tapShutter();
    void flip();
    // Swipes across the picture until the named mode ("PHOTO", "VIDEO", "SLO-MO", ...) is current;
    // false when the camera has no such mode.
    bool setMode(const std::string& name);
    void startRecording();
    void stopRecording();
    // A still while recording (the small white button).
    void tapStillDuringRecording();
    // The accelerometer reports a device orientation (1-6).
    void rotate(long orientation);
    void showGrid();
    void hideGrid();
    void expandMenu();
    void collapseMenu();
    // Holding the shutter shoots a burst until released.
    void startBurst();
    void stopBurst();
    void memoryWarning();
    // Touches in window coordinates, through the UI toolkit's delivery.
    void touch(int finger, UITouchPhase phase, CGPoint point);
    void tap(CGPoint point);
    void twoFingerTap(CGPoint point);
    void longPress(CGPoint point, double seconds = 0.8);
    void pan(CGPoint from, CGPoint to, int steps = 6);
    // The add-on's way to take a picture (CAMCameraView takePicture).
    void takePicture();

    // ---- The world in front of the cameras
    // Replaces the host's scene: its light (EV at ISO 100) and the distance of what the camera
    // focuses on. It stays in force across camera and mode switches, focus taps and relaunches
    // until it is set again or cleared. Unset parts (and values no scene can have: not finite,
    // a distance not above 0) keep the host's own.
    void setScene(double brightnessEV, double distanceMetres);
    void setScene(const SceneOverride& scene);
    void clearScene() { setScene(SceneOverride{}); }
    const SceneOverride& sceneOverride() const { return scene_; }

    // ---- Time
    // Runs the main run loop for virtual seconds (saving threads are drained as time moves).
    void runFor(double seconds);
    // Runs until nothing is due now and every still is stored.
    void settle();

    // ---- What there is
    std::shared_ptr<UIWindow> window() const { return window_; }
    CameraView* cameraView() const;
    CaptureController* captureController() const { return controller_.get(); }
    EventLog& log() { return log_; }
    const EventLog& log() const { return log_; }
    // Phone paths of the photos this app stored, across launches, in order.
    std::vector<std::string> savedPhotos() const;
    const platform::DeviceProfile& profile() const { return profile_; }
    // The centre of a view in window coordinates.
    static CGPoint centreInWindow(const UIView& view);

private:
    void dropProcessObjects();
    void processReset();

    EventLog log_;
    platform::DeviceProfile profile_;
    LaunchOptions options_;
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<CameraViewController> viewController_;
    std::shared_ptr<CaptureController> controller_;
    std::vector<std::string> savedEarlier_;
    SceneOverride scene_;
    bool running_ = false;
    bool background_ = false;
    bool launching_ = false;
    int resetHook_ = 0;
};

// Every photo in the device root's DCIM folder (phone paths, sorted).
std::vector<std::string> photosInLibrary();

}  // namespace host
