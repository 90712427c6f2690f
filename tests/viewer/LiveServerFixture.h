#pragma once
// A live phone served on 127.0.0.1 (a free port) from a temporary output folder, with its
// simulator loop on a thread of its own, as `lumora3 serve` runs it.

#include <gtest/gtest.h>
#include <httplib.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

#include "viewer/FrameBoard.h"
#include "viewer/HttpServer.h"
#include "viewer/LivePhone.h"
#include "viewer/MainQueue.h"

namespace viewertest {

inline std::filesystem::path makeScratch(const char* name) {
    std::string templ =
        (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (mkdtemp(templ.data()) == nullptr) return {};
    return templ;
}

class LiveServer {
public:
    explicit LiveServer(const std::filesystem::path& base) {
        viewer::LiveOptions options;
        options.out = base / "out";
        std::string error;
        phone_ = viewer::LivePhone::create(options, error);
        if (!phone_) {
            ADD_FAILURE() << error;
            return;
        }
        http_ =
            std::make_unique<viewer::HttpServer>(*phone_, queue_, board_, phone_->outputFolder());
        port_ = http_->bind("127.0.0.1", 0, error);
        EXPECT_GT(port_, 0) << error;
        http_->start();
        loop_ = std::thread([this] { phone_->run(queue_, board_); });
    }
    ~LiveServer() {
        queue_.close();
        if (loop_.joinable()) loop_.join();
        if (http_) http_->stop();
    }
    LiveServer(const LiveServer&) = delete;
    LiveServer& operator=(const LiveServer&) = delete;

    bool ok() const { return phone_ && port_ > 0; }
    int port() const { return port_; }
    const viewer::FrameBoard& board() const { return board_; }

    std::unique_ptr<httplib::Client> client() const {
        auto c = std::make_unique<httplib::Client>("127.0.0.1", port_);
        c->set_connection_timeout(5);
        c->set_read_timeout(20);
        c->set_url_encode(false);
        return c;
    }
    // POSTs `body` as JSON.
    httplib::Result post(const std::string& path, const nlohmann::json& body) const {
        return client()->Post(path.c_str(), body.dump(), "application/json");
    }
    nlohmann::json getJson(const std::string& path) const {
        auto r = client()->Get(path.c_str());
        if (!r || r->status != 200) return nullptr;
        return nlohmann::json::parse(r->body, nullptr, false);
    }
    // The state once `holds` says so (it follows each request a moment later); null after 5 s.
    nlohmann::json waitState(const std::function<bool(const nlohmann::json&)>& holds) const {
        for (int i = 0; i < 500; ++i) {
            const auto s = getJson("/api/state");
            if (s.is_object() && holds(s)) return s;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return nullptr;
    }
    // The centre of a named element on screen, in window points.
    std::optional<std::pair<double, double>> centreOf(const std::string& name) const {
        const auto e = getJson("/api/elements");
        if (e.is_null()) return std::nullopt;
        for (const auto& item : e["elements"]) {
            if (item["name"] != name) continue;
            const auto& f = item["frame"];
            return std::make_pair(f[0].get<double>() + f[2].get<double>() / 2,
                                  f[1].get<double>() + f[3].get<double>() / 2);
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<viewer::LivePhone> phone_;
    viewer::MainQueue queue_;
    viewer::FrameBoard board_;
    std::unique_ptr<viewer::HttpServer> http_;
    std::thread loop_;
    int port_ = -1;
};

}  // namespace viewertest
