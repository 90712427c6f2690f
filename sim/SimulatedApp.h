#pragma once
// An app the simulator runs on the phone: the camera (with the add-on injected) or the Settings
// app. The session drives apps through this interface; the host's apps implement it in
// HostApps.cpp, and tests may supply their own.

#include <functional>
#include <memory>
#include <optional>
#include <string>

class UIWindow;
class AVCaptureDevice;

namespace platform {
struct DeviceProfile;
}

namespace host {
class EventLog;
}

namespace sim {

enum class AppKind { Camera, Settings };
const char* appName(AppKind kind);

// The host's own controls, reached the way the user reaches them.
struct HostAction {
    enum class Kind { Mode, Camera, Record, Grid, Menu, Burst, MemoryWarning };
    Kind kind = Kind::Mode;
    // Mode: 0 photo, 1 video, 2 slomo, 3 pano, 4 square (the host's camera modes);
    // Camera: 0 back, 1 front; Record, Grid, Menu, Burst: 1 start/show/expand, 0
    // stop/hide/collapse.
    long value = 0;
    std::string describe() const;
};

class SimulatedApp {
public:
    SimulatedApp() = default;
    SimulatedApp(const SimulatedApp&) = delete;
    SimulatedApp& operator=(const SimulatedApp&) = delete;
    virtual ~SimulatedApp() = default;

    virtual AppKind kind() const = 0;
    // Starts the process (the injection framework runs the installed add-ons) and shows the
    // app's window. False with `error` when it cannot.
    virtual bool launch(const platform::DeviceProfile& profile, std::string& error) = 0;
    virtual void terminate() = 0;
    virtual bool isRunning() const = 0;
    virtual void background() = 0;
    virtual void foreground() = 0;
    // The app's window while it runs; null otherwise.
    virtual std::shared_ptr<UIWindow> window() const = 0;
    // False with `error` for an action this app does not have.
    virtual bool perform(const HostAction& action, std::string& error) = 0;
    // The accelerometer reports a device orientation (1-6).
    virtual void rotate(long orientation) { (void)orientation; }
    // What the cameras see from now on, in place of the app's own scene (the camera app only):
    // the light in EV at ISO 100 and the distance of the subject; an unset part keeps the
    // app's own. It holds across camera switches and focus taps.
    virtual void setScene(std::optional<double> brightnessEV,
                          std::optional<double> distanceMetres) {
        (void)brightnessEV;
        (void)distanceMetres;
    }
    // Runs until nothing is due now and every photo taken is stored.
    virtual void settle() {}
    // The capture device in use (the camera app only); null when none.
    virtual std::shared_ptr<AVCaptureDevice> captureDevice() const { return nullptr; }
    // What the app did; null when it keeps no log.
    virtual const host::EventLog* eventLog() const { return nullptr; }
};

using AppFactory = std::function<std::unique_ptr<SimulatedApp>(AppKind)>;

// The simulated host apps (camera and Settings).
AppFactory hostAppFactory();

}  // namespace sim
