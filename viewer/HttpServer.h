#pragma once
// The viewer's HTTP server: the page's own files, the output folder (photos, recordings, the
// preferences file) and a small JSON API. Handlers never touch the simulator: reads come from
// the frame board, everything else goes through the main queue as a job.
//
//   GET  /, /index.html, /style.css, /app.js    the page
//   GET  /api/state                             the latest state (JSON)
//   GET  /api/events                            server-sent events: "frame" (its version) and
//                                               "state" (the state JSON) as they change
//   GET  /api/frame                             the latest screen (JPEG, X-Frame-Version)
//   GET  /api/log?from=N                        event-log lines from N (at most 500)
//   GET  /api/elements                          named elements on screen with their frames
//   POST /api/touch, /api/action, /api/clock, /api/record, /api/expect   (JSON bodies)
//   GET  /out/PATH                              a file of the output folder
//
// Requests are small (bodies up to 64 KB, JSON only for POST); answers to bad ones are 4xx
// with {"error": "..."}. Nothing here runs a program.

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace viewer {

class LivePhone;
class MainQueue;
class FrameBoard;

class HttpServer {
public:
    HttpServer(LivePhone& phone, MainQueue& queue, FrameBoard& board,
               std::filesystem::path outputFolder);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds `host`:`port` (0 picks a free port); the port, or -1 with `error`.
    int bind(const std::string& host, int port, std::string& error);
    // Serves on a thread of its own until stop().
    void start();
    // Ends every live stream and the listening thread.
    void stop();

    static constexpr std::size_t kMaxBody = 64 * 1024;

private:
    void routes();
    LivePhone& phone_;
    MainQueue& queue_;
    FrameBoard& board_;
    std::filesystem::path outputFolder_;
    bool loopbackOnly_ = true;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
};

}  // namespace viewer
