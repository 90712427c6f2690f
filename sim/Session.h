#pragma once
// One simulated phone for the length of a scenario: its device root, its model and language,
// the app that runs on it, the virtual clock, and the output folder that screenshots and dumps
// go to.
//
// Every file the session writes lands in the output folder (through a temporary name renamed
// into place, so a failure leaves nothing half-written) or inside the device root.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host/EventLog.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/DeviceProfile.h"
#include "sim/DeviceRoot.h"
#include "sim/SimulatedApp.h"

class UIWindow;
class CMMotionManager;
class NSOperationQueue;

namespace sim {

struct SessionOptions {
    std::filesystem::path outputFolder;  // created when missing
    std::filesystem::path rootFolder;    // the device root (see DeviceRoot::open)
    bool reuseRoot = false;
    std::string model = "iphone6";  // short name or model identifier
    std::string language = "en";
    // A progress line on stderr while long spans of virtual time run.
    bool progress = false;
    AppFactory appFactory;  // empty: the simulated host apps
    InstallSources sources = InstallSources::find();
};

class Session {
public:
    // Null with `error` set when the root, the model or the output folder is unusable.
    static std::unique_ptr<Session> create(SessionOptions options,
                                           const platform::DeviceProfileRegistry& profiles,
                                           std::string& error);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    DeviceRoot& root() { return *root_; }
    const platform::DeviceProfile& profile() const { return *profile_; }
    const platform::DeviceProfileRegistry& profiles() const { return profiles_; }
    const std::filesystem::path& outputFolder() const { return options_.outputFolder; }

    // Set-up: the model can change only while no app runs.
    bool setDevice(const std::string& model, std::string& error);
    bool setLanguage(const std::string& code, std::string& error);

    // Brings an app to the front, as the phone's home screen does: the app in front goes to
    // the background (its background hooks run, its process lives on); an app running in the
    // background resumes, one that is not running (or already in front) starts afresh.
    bool launch(AppKind kind, std::string& error);
    // Ends every app.
    void terminate();
    // The app in front; null when none runs there (or when it was killed).
    SimulatedApp* app();
    // An app's process runs (in front or in the background).
    bool isRunning(AppKind kind) const;
    std::shared_ptr<UIWindow> window();

    // Everything the apps of this session logged, across launches, in order.
    std::vector<host::LogEntry> events() const;

    // The scene the cameras see, once a scenario sets one (until then the host's own scene
    // rules): the light in EV at ISO 100 and the subject's distance. A part given replaces the
    // one set before; a part never given stays the host's. Kept across launches, camera
    // switches and focus taps (the app holds it).
    void setScene(std::optional<double> brightnessEV, std::optional<double> distanceMetres);
    std::optional<double> sceneBrightness() const { return sceneBrightness_; }
    std::optional<double> sceneDistance() const { return sceneDistance_; }

    // A motion client in the running app: device-motion samples at `hertz` (at most 100)
    // delivered on a private queue and forwarded to the main queue, as an on-screen level would.
    // Long runs carry the sensor's load with it. Ends with the app.
    bool startMotion(double hertz, std::string& error);
    void stopMotion();
    // Samples the client received on the main queue since it started.
    std::size_t motionSamples() const { return *motionSamples_; }

    // Runs the virtual clock forward.
    void advance(double seconds);
    // The running process's virtual time (a new process starts at 0).
    double now() const;
    // Virtual seconds since the session began, going on across app launches.
    double elapsed() const;

    // The date stamped photos show: `instant` at the moment of the call, going on with the
    // session's virtual time (so runs stamp the same text whatever the real time). nullopt goes
    // back to the wall clock, which is also where every session starts.
    void setPhotoDate(std::optional<std::chrono::system_clock::time_point> instant);
    // Lets the running app finish what is due now, including photos being saved.
    void settle();

    // Writes a file named `name` (a plain file name) into the output folder: `write` fills the
    // temporary path it is given and returns false on failure; the file is renamed into place
    // only on success. Returns the final path, or nullopt with `error`.
    std::optional<std::filesystem::path> writeOutput(
        const std::string& name, const std::function<bool(const std::filesystem::path&)>& write,
        std::string& error);
    // A plain file name (no folders, not "." or "..", not hidden).
    static bool isPlainFileName(const std::string& name);

    // The tool's resident memory as `memory sample` recorded it, in order.
    struct MemorySample {
        double hours = 0;  // elapsed() in hours
        long residentKilobytes = 0;
        long peakKilobytes = 0;
    };
    std::vector<MemorySample>& memorySamples() { return memorySamples_; }

private:
    Session(SessionOptions options, const platform::DeviceProfileRegistry& profiles)
        : options_(std::move(options)), profiles_(profiles) {}
    void applyScene();
    // Keeps elapsed() going on when a process ends (its run loop's clock goes back to 0).
    // Registered again after each app is made, so that it runs after the app's own reset step
    // (which stores the photos still being saved).
    void watchProcessEnds();

    SessionOptions options_;
    const platform::DeviceProfileRegistry& profiles_;
    const platform::DeviceProfile* profile_ = nullptr;
    std::unique_ptr<DeviceRoot> root_;
    std::unique_ptr<SimulatedApp>& slot(AppKind kind) {
        return kind == AppKind::Camera ? camera_ : settings_;
    }
    // Keeps the log of an app that ends, for events().
    void retire(std::unique_ptr<SimulatedApp>& app);
    std::unique_ptr<SimulatedApp> camera_;
    std::unique_ptr<SimulatedApp> settings_;
    SimulatedApp* front_ = nullptr;
    // The logs of apps that ended, kept compactly so that days of virtual time do not grow the
    // tool's memory: each entry is its time, its place in the merged order and the index of its
    // (event, arguments, receiver) in a pool of the distinct ones (a day of use repeats a few
    // hundred).
    struct PastEvent {
        double time = 0;
        std::uint64_t sequence = 0;
        std::uint32_t what = 0;
    };
    std::vector<PastEvent> history_;
    std::vector<host::LogEntry> historyPool_;
    std::map<std::tuple<std::string, std::string, std::string>, std::uint32_t> historyIndex_;
    std::optional<double> sceneBrightness_;
    std::optional<double> sceneDistance_;
    std::shared_ptr<CMMotionManager> motion_;
    std::shared_ptr<NSOperationQueue> motionQueue_;
    // Shared with events still queued when the session goes.
    std::shared_ptr<std::size_t> motionSamples_ = std::make_shared<std::size_t>(0);
    // elapsed() less the run loop's time: the virtual time of ended processes. Shared with the
    // photo clock, which reads it on the photo-saving thread.
    std::shared_ptr<std::atomic<double>> earlierProcesses_ =
        std::make_shared<std::atomic<double>>(0.0);
    int processEndHook_ = 0;
    bool photoDateSet_ = false;
    std::vector<MemorySample> memorySamples_;
};

}  // namespace sim
