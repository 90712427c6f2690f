// The simulated host apps behind the SimulatedApp interface.
#include <array>

#include "host/CameraApp.h"
#include "host/CaptureController.h"
#include "host/SettingsApp.h"
#include "sim/SimulatedApp.h"

namespace sim {

namespace {

// The host's names of the modes, in HostAction's numbering (photo, video, slomo, pano, square).
constexpr std::array<const char*, 5> kModeNames{"PHOTO", "VIDEO", "SLO-MO", "PANO", "SQUARE"};

class CameraAppAdapter : public SimulatedApp {
public:
    AppKind kind() const override { return AppKind::Camera; }
    bool launch(const platform::DeviceProfile& profile, std::string&) override {
        app_.launch(profile);
        return true;
    }
    void terminate() override { app_.terminate(); }
    bool isRunning() const override { return app_.isRunning(); }
    void background() override { app_.background(); }
    void foreground() override { app_.foreground(); }
    std::shared_ptr<UIWindow> window() const override {
        return app_.isRunning() ? app_.window() : nullptr;
    }
    void rotate(long orientation) override { app_.rotate(orientation); }
    void settle() override { app_.settle(); }
    void setScene(std::optional<double> brightnessEV,
                  std::optional<double> distanceMetres) override {
        app_.setScene(host::SceneOverride{brightnessEV, distanceMetres});
    }
    std::shared_ptr<AVCaptureDevice> captureDevice() const override {
        const host::CaptureController* c = app_.captureController();
        return c != nullptr ? c->currentDevice() : nullptr;
    }
    const host::EventLog* eventLog() const override { return &app_.log(); }

    bool perform(const HostAction& action, std::string& error) override {
        if (app_.isInBackground()) {
            error = "the camera is in the background";
            return false;
        }
        using K = HostAction::Kind;
        const bool on = action.value != 0;
        switch (action.kind) {
            case K::Mode: {
                const auto i = static_cast<std::size_t>(action.value);
                if (i >= kModeNames.size() || !app_.setMode(kModeNames[i])) {
                    error = std::string("this camera has no ") +
                            (i < kModeNames.size() ? kModeNames[i] : "such") + " mode";
                    return false;
                }
                return true;
            }
            case K::Camera: {
                const host::CaptureController* c = app_.captureController();
                if (c == nullptr) {
                    error = "the camera has no capture controller";
                    return false;
                }
                if (!c->hasCamera(action.value)) {
                    error = action.value == 1 ? "this phone has no front camera"
                                              : "this phone has no back camera";
                    return false;
                }
                if (c->cameraDevice() != action.value) app_.flip();
                return true;
            }
            case K::Record:
                on ? app_.startRecording() : app_.stopRecording();
                return true;
            case K::Grid:
                on ? app_.showGrid() : app_.hideGrid();
                return true;
            case K::Menu:
                on ? app_.expandMenu() : app_.collapseMenu();
                return true;
            case K::Burst:
                on ? app_.startBurst() : app_.stopBurst();
                return true;
            case K::MemoryWarning:
                app_.memoryWarning();
                return true;
        }
        error = "unknown action";
        return false;
    }

private:
    host::CameraApp app_;
};

class SettingsAppAdapter : public SimulatedApp {
public:
    AppKind kind() const override { return AppKind::Settings; }
    bool launch(const platform::DeviceProfile&, std::string&) override {
        app_.launch();
        return true;
    }
    void terminate() override { app_.terminate(); }
    bool isRunning() const override { return app_.isRunning(); }
    void background() override { app_.background(); }
    void foreground() override { app_.foreground(); }
    std::shared_ptr<UIWindow> window() const override {
        return app_.isRunning() ? app_.window() : nullptr;
    }
    bool perform(const HostAction& action, std::string& error) override {
        error = "the Settings app has no " + action.describe() + " control";
        return false;
    }
    const host::EventLog* eventLog() const override { return &app_.log(); }

private:
    host::SettingsApp app_;
};

}  // namespace

const char* appName(AppKind kind) {
    return kind == AppKind::Camera ? "camera" : "settings";
}

std::string HostAction::describe() const {
    switch (kind) {
        case Kind::Mode:
            return "mode " + std::to_string(value);
        case Kind::Camera:
            return value == 0 ? "camera back" : "camera front";
        case Kind::Record:
            return value != 0 ? "record start" : "record stop";
        case Kind::Grid:
            return value != 0 ? "grid show" : "grid hide";
        case Kind::Menu:
            return value != 0 ? "menu expand" : "menu collapse";
        case Kind::Burst:
            return value != 0 ? "burst start" : "burst stop";
        case Kind::MemoryWarning:
            return "memory-warning";
    }
    return "?";
}

AppFactory hostAppFactory() {
    return [](AppKind kind) -> std::unique_ptr<SimulatedApp> {
        if (kind == AppKind::Camera) return std::make_unique<CameraAppAdapter>();
        return std::make_unique<SettingsAppAdapter>();
    };
}

}  // namespace sim
