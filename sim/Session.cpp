#include "sim/Session.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "photo/PhotoClock.h"
#include "platform/capture/DeviceFactory.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/media/MotionManager.h"
#include "platform/media/MotionOperationQueue.h"
#include "platform/media/MotionSimulator.h"
#include "platform/objc/Injection.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "sim/ProgressLine.h"

namespace fs = std::filesystem;

namespace sim {

std::unique_ptr<Session> Session::create(SessionOptions options,
                                         const platform::DeviceProfileRegistry& profiles,
                                         std::string& error) {
    std::unique_ptr<Session> session(new Session(std::move(options), profiles));
    SessionOptions& o = session->options_;
    if (!o.appFactory) o.appFactory = hostAppFactory();

    std::error_code ec;
    if (o.outputFolder.empty()) {
        error = "no output folder given";
        return nullptr;
    }
    fs::create_directories(o.outputFolder, ec);
    if (ec || !fs::is_directory(o.outputFolder, ec)) {
        error = "cannot create the output folder " + o.outputFolder.string();
        return nullptr;
    }

    // Device-wide state left by an earlier session in this process goes first.
    objc::Injection::shared().uninstallAll();
    platform::SoundLog::shared().clear();
    platform::MotionSimulator::shared().reset();
    lumora::setPhotoClock(nullptr);
    session->earlierProcesses_->store(-platform::RunLoop::main().now());
    session->watchProcessEnds();

    session->root_ = DeviceRoot::open(o.rootFolder, o.reuseRoot, error);
    if (!session->root_) return nullptr;
    if (!session->root_->activate(error)) return nullptr;
    if (!session->root_->install(o.sources, error)) return nullptr;
    if (!session->setDevice(o.model, error)) return nullptr;
    if (!session->setLanguage(o.language, error)) return nullptr;
    return session;
}

Session::~Session() {
    terminate();
    if (processEndHook_ != 0) platform::Process::removeResetHook(processEndHook_);
    if (photoDateSet_) lumora::setPhotoClock(nullptr);
}

void Session::watchProcessEnds() {
    if (processEndHook_ != 0) platform::Process::removeResetHook(processEndHook_);
    processEndHook_ = platform::Process::onReset([earlier = earlierProcesses_] {
        earlier->store(earlier->load() + platform::RunLoop::main().now());
    });
}

double Session::elapsed() const {
    return earlierProcesses_->load() + platform::RunLoop::main().now();
}

void Session::setPhotoDate(std::optional<std::chrono::system_clock::time_point> instant) {
    photoDateSet_ = instant.has_value();
    if (!instant) {
        lumora::setPhotoClock(nullptr);
        return;
    }
    // Called on the photo-saving thread: reads only the shared offset and the run loop's
    // clock, both safe from any thread.
    lumora::setPhotoClock([instant = *instant, start = elapsed(), earlier = earlierProcesses_] {
        const double since = earlier->load() + platform::RunLoop::main().now() - start;
        return instant + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                             std::chrono::duration<double>(since));
    });
}

bool Session::setDevice(const std::string& model, std::string& error) {
    if ((camera_ && camera_->isRunning()) || (settings_ && settings_->isRunning())) {
        error = "the device cannot change while an app runs (terminate it first)";
        return false;
    }
    const platform::DeviceProfile* profile = profiles_.find(model);
    if (profile == nullptr) {
        error = "unknown device \"" + model + "\" (see `lumora3 devices`)";
        return false;
    }
    profile_ = profile;
    platform::installDeviceProfile(*profile);
    return true;
}

bool Session::setLanguage(const std::string& code, std::string& error) {
    return root_->setLanguage(code, error);
}

bool Session::launch(AppKind kind, std::string& error) {
    stopMotion();
    std::unique_ptr<SimulatedApp>& target = slot(kind);
    SimulatedApp* front = app();
    if (front != nullptr && front != target.get()) front->background();
    if (target && target->isRunning() && front != target.get()) {
        target->foreground();
        front_ = target.get();
        applyScene();
        return true;
    }
    if (target) {
        target->terminate();
        retire(target);
    }
    target = options_.appFactory(kind);
    if (!target) {
        error = std::string("no ") + appName(kind) + " app on this phone";
        front_ = nullptr;
        return false;
    }
    watchProcessEnds();
    if (!target->launch(*profile_, error)) {
        target.reset();
        front_ = nullptr;
        return false;
    }
    front_ = target.get();
    applyScene();
    return true;
}

void Session::retire(std::unique_ptr<SimulatedApp>& app) {
    if (!app) return;
    if (front_ == app.get()) front_ = nullptr;
    if (const host::EventLog* log = app->eventLog()) {
        for (const host::LogEntry& entry : log->entries()) {
            auto [at, added] =
                historyIndex_.try_emplace({entry.event, entry.args, entry.receiver},
                                          static_cast<std::uint32_t>(historyPool_.size()));
            if (added) historyPool_.push_back(entry);
            history_.push_back({entry.time, entry.sequence, at->second});
        }
    }
    app.reset();
}

void Session::terminate() {
    stopMotion();
    // The front app first, as the user would quit it, then the one in the background.
    for (auto* a : {front_ == settings_.get() ? &settings_ : &camera_,
                    front_ == settings_.get() ? &camera_ : &settings_}) {
        if (*a) (*a)->terminate();
    }
    retire(camera_);
    retire(settings_);
}

bool Session::isRunning(AppKind kind) const {
    const auto& a = kind == AppKind::Camera ? camera_ : settings_;
    return a && a->isRunning();
}

std::vector<host::LogEntry> Session::events() const {
    std::vector<host::LogEntry> out;
    out.reserve(history_.size());
    for (const PastEvent& past : history_) {
        out.push_back(historyPool_[past.what]);
        out.back().time = past.time;
        out.back().sequence = past.sequence;
    }
    for (const auto* a : {&camera_, &settings_}) {
        if (!*a) continue;
        if (const host::EventLog* log = (*a)->eventLog()) {
            const auto entries = log->entries();
            out.insert(out.end(), entries.begin(), entries.end());
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const host::LogEntry& x, const host::LogEntry& y) {
        return x.sequence < y.sequence;
    });
    return out;
}

SimulatedApp* Session::app() {
    return front_ != nullptr && front_->isRunning() ? front_ : nullptr;
}

std::shared_ptr<UIWindow> Session::window() {
    SimulatedApp* running = app();
    return running != nullptr ? running->window() : nullptr;
}

void Session::setScene(std::optional<double> brightnessEV, std::optional<double> distanceMetres) {
    if (brightnessEV) sceneBrightness_ = brightnessEV;
    if (distanceMetres) sceneDistance_ = distanceMetres;
    applyScene();
}

void Session::applyScene() {
    if (!sceneBrightness_ && !sceneDistance_) return;
    if (SimulatedApp* running = app()) running->setScene(sceneBrightness_, sceneDistance_);
}

void Session::advance(double seconds) {
    auto& loop = platform::RunLoop::main();
    // Long spans run in slices so that the progress line can move; the slices end on the same
    // virtual times whatever the machine's speed, so runs stay reproducible.
    constexpr double kSlice = 60;
    ProgressLine progress(options_.progress && seconds > kSlice, seconds);
    double done = 0;
    while (seconds - done > kSlice) {
        loop.runFor(kSlice);
        done += kSlice;
        progress.update(done);
    }
    loop.runFor(seconds - done);
}

bool Session::startMotion(double hertz, std::string& error) {
    if (app() == nullptr) {
        error = "no app is running";
        return false;
    }
    if (!(hertz > 0) || hertz > 100) {
        error = "motion rate must be above 0 and at most 100 Hz";
        return false;
    }
    stopMotion();
    motion_ = std::make_shared<CMMotionManager>();
    if (!motion_->isDeviceMotionAvailable()) {
        motion_.reset();
        error = "this phone reports no device motion";
        return false;
    }
    motionQueue_ = std::make_shared<NSOperationQueue>();
    motion_->setDeviceMotionUpdateInterval(1.0 / hertz);
    *motionSamples_ = 0;
    motion_->startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrameXArbitraryZVertical, motionQueue_,
        [count = motionSamples_](const std::shared_ptr<CMDeviceMotion>& sample, const NSError*) {
            if (!sample) return;
            platform::RunLoop::main().post([count] { ++*count; });
        });
    return true;
}

void Session::stopMotion() {
    if (motion_) motion_->stopDeviceMotionUpdates();
    motion_.reset();
    motionQueue_.reset();
}

void Session::settle() {
    if (SimulatedApp* running = app()) {
        running->settle();
    } else {
        platform::RunLoop::main().runUntilIdle();
    }
}

double Session::now() const {
    return platform::RunLoop::main().now();
}

bool Session::isPlainFileName(const std::string& name) {
    if (name.empty() || name.front() == '.' || name.size() > 200) return false;
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == '\0' || static_cast<unsigned char>(c) < 0x20)
            return false;
    }
    return true;
}

std::optional<fs::path> Session::writeOutput(const std::string& name,
                                             const std::function<bool(const fs::path&)>& write,
                                             std::string& error) {
    if (!isPlainFileName(name)) {
        error = "\"" + name + "\" is not a plain file name";
        return std::nullopt;
    }
    const fs::path target = options_.outputFolder / name;
    const fs::path temp = options_.outputFolder / ("." + name + ".partial");
    std::error_code ec;
    if (!write(temp)) {
        fs::remove(temp, ec);
        error = "cannot write " + target.string();
        return std::nullopt;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        error = "cannot write " + target.string() + ": " + ec.message();
        return std::nullopt;
    }
    return target;
}

}  // namespace sim
