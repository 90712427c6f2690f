#pragma once
// The simulated phone behind `lumora3 serve`, run by one thread (the simulator's main thread):
// it takes the server's requests from the main queue, lets virtual time follow real time while
// the page is open, and after each change posts the screen and the state to the frame board.
// The screen is rendered only when something ran, and posted only when its pixels changed.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "sim/Session.h"
#include "viewer/FrameBoard.h"
#include "viewer/LiveClock.h"
#include "viewer/MainQueue.h"
#include "viewer/Recorder.h"

namespace viewer {

struct LiveOptions {
    std::filesystem::path out;  // the output folder; the device root is out/device
    std::string model = "iphone6";
    std::string language = "en";
    bool launchCamera = true;  // start with the camera app open
};

class LivePhone {
public:
    // Null with `error` when the session cannot start (an unknown model, an unusable folder).
    static std::unique_ptr<LivePhone> create(const LiveOptions& options, std::string& error);
    ~LivePhone();
    LivePhone(const LivePhone&) = delete;
    LivePhone& operator=(const LivePhone&) = delete;

    // Runs the phone until the queue closes. Call from one thread only; every method below runs
    // on it too (as jobs of the queue).
    void run(MainQueue& queue, FrameBoard& board);

    // The page's requests (bodies already parsed as JSON).
    Reply touch(const nlohmann::json& request);
    Reply action(const nlohmann::json& request);
    Reply setClock(const nlohmann::json& request);
    Reply record(const nlohmann::json& request);
    Reply addExpect();
    Reply log(std::size_t from) const;
    Reply elements() const;

    const std::filesystem::path& outputFolder() const { return session_->outputFolder(); }

private:
    explicit LivePhone(std::unique_ptr<sim::Session> session);
    // Runs one scenario line as the user's action (and records it).
    Reply perform(const std::string& line);
    // Brings virtual time up to real time; true when events fell due.
    bool catchUp();
    // Renders and posts the screen when its pixels changed; posts the state.
    void publish(FrameBoard& board);
    void renderFrame(FrameBoard& board);
    nlohmann::json state();
    nlohmann::json photos();
    std::optional<ns::Dictionary> preferences();
    std::vector<std::string> prologue();
    std::vector<std::string> epilogue();

    std::unique_ptr<sim::Session> session_;
    LiveClock clock_;
    Recorder recorder_;
    std::string language_;
    std::string orientation_ = "portrait";
    double tilt_ = 0;
    std::optional<CGPoint> lastTouch_;
    std::size_t photosAtStart_ = 0;
    std::optional<ns::Dictionary> prefsAtStart_;
    std::string lastRecording_;
    std::vector<std::uint32_t> lastPixels_;
    bool framePosted_ = false;
    bool dirty_ = true;  // something ran since the last frame
    std::chrono::steady_clock::time_point lastRender_{};
    // Photo facts read once per file: EXIF orientation and pixel size.
    struct PhotoFacts {
        int orientation = 1;
        int width = 0;
        int height = 0;
    };
    std::map<std::filesystem::path, PhotoFacts> photoFacts_;
};

}  // namespace viewer
