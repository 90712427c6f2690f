// The viewer's HTTP API over loopback: every endpoint, the event stream, bad requests and paths
// that try to leave the output folder.
#include <atomic>
#include <fstream>

#include "tests/viewer/LiveServerFixture.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class ViewerApi : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = viewertest::makeScratch("lumora3-viewer-api");
        ASSERT_FALSE(base_.empty());
        server_ = std::make_unique<viewertest::LiveServer>(base_);
        ASSERT_TRUE(server_->ok());
    }
    void TearDown() override {
        server_.reset();
        std::error_code ec;
        fs::remove_all(base_, ec);
    }
    fs::path base_;
    std::unique_ptr<viewertest::LiveServer> server_;
};

TEST_F(ViewerApi, ServesThePageTheScreenTheStateTheLogAndTheElements) {
    auto c = server_->client();
    struct Page {
        const char* path;
        const char* type;
        const char* holds;
    };
    for (const Page& p : {Page{"/", "text/html", "<title>Lumora3"},
                          Page{"/index.html", "text/html", "id=\"screen\""},
                          Page{"/style.css", "text/css", ".phone"},
                          Page{"/app.js", "text/javascript", "EventSource"}}) {
        auto r = c->Get(p.path);
        ASSERT_TRUE(r) << p.path;
        EXPECT_EQ(r->status, 200) << p.path;
        EXPECT_EQ(r->get_header_value("Content-Type").rfind(p.type, 0), 0u) << p.path;
        EXPECT_NE(r->body.find(p.holds), std::string::npos) << p.path;
    }

    auto frame = c->Get("/api/frame");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->status, 200);
    EXPECT_EQ(frame->get_header_value("Content-Type"), "image/jpeg");
    ASSERT_GT(frame->body.size(), 1000u);
    EXPECT_EQ(static_cast<unsigned char>(frame->body[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(frame->body[1]), 0xD8);
    EXPECT_GE(std::stoul(frame->get_header_value("X-Frame-Version")), 1u);

    const json state = server_->getJson("/api/state");
    ASSERT_TRUE(state.is_object());
    EXPECT_EQ(state["device"]["shortName"], "iphone6");
    EXPECT_EQ(state["device"]["screen"]["width"], 375);
    EXPECT_EQ(state["device"]["screen"]["height"], 667);
    EXPECT_EQ(state["app"], "camera");
    EXPECT_EQ(state["photos"].size(), 0u);
    EXPECT_EQ(state["recording"]["on"], false);

    const json log = server_->getJson("/api/log?from=0");
    ASSERT_TRUE(log.is_object());
    ASSERT_GT(log["total"].get<int>(), 0);
    EXPECT_EQ(log["lines"].size(), log["total"].get<std::size_t>());
    EXPECT_NE(log["lines"][0].get<std::string>().find("launch"), std::string::npos);
    const json tail = server_->getJson("/api/log?from=" + std::to_string(log["total"].get<int>()));
    EXPECT_EQ(tail["lines"].size(), 0u);

    const auto shutter = server_->centreOf("shutter");
    ASSERT_TRUE(shutter);
    EXPECT_GT(shutter->second, 500);  // in the bottom bar
}

// A tap on the shutter through the API: the event stream pushes a new frame and then the state
// with the photo, and the photo is served from the output folder.
TEST_F(ViewerApi, ActionsRunAsScenarioLinesAndTheEventStreamPushesTheirResults) {
    std::atomic<bool> sawPhoto{false};
    std::atomic<int> frames{0};
    std::string photoUrl;
    std::thread stream([&] {
        auto c = server_->client();
        std::string text;
        c->Get("/api/events", [&](const char* data, std::size_t size) {
            text.append(data, size);
            std::size_t end;
            while ((end = text.find("\n\n")) != std::string::npos) {
                const std::string message = text.substr(0, end);
                text.erase(0, end + 2);
                if (message.rfind("event: frame", 0) == 0) ++frames;
                if (message.rfind("event: state\ndata: ", 0) == 0) {
                    const json s = json::parse(message.substr(19), nullptr, false);
                    if (s.is_object() && s["photos"].size() == 1) {
                        photoUrl = s["photos"][0]["url"];
                        sawPhoto = true;
                    }
                }
            }
            return !sawPhoto;
        });
    });
    // The page is open: virtual time runs.
    for (int i = 0; i < 200 && server_->board().viewers() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(server_->board().viewers(), 1);

    const auto shutter = server_->centreOf("shutter");
    ASSERT_TRUE(shutter);
    auto r = server_->post("/api/touch",
                           {{"gesture", "tap"}, {"x", shutter->first}, {"y", shutter->second}});
    ASSERT_TRUE(r);
    ASSERT_EQ(r->status, 200) << r->body;
    const json answer = json::parse(r->body);
    EXPECT_EQ(answer["line"].get<std::string>().rfind("tap (", 0), 0u);
    // Two seconds of virtual time at once, rather than waiting for real time.
    r = server_->post("/api/clock", {{"advance", 2}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200) << r->body;
    stream.join();
    EXPECT_TRUE(sawPhoto);
    EXPECT_GE(frames.load(), 2);

    auto photo = server_->client()->Get(photoUrl.c_str());
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->status, 200) << photoUrl;
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/jpeg");

    // The page's other actions, each answered with the line it ran.
    for (const json& action :
         {json{{"command", "orient"}, {"value", "landscape-left"}},
          json{{"command", "tilt"}, {"value", 12.5}},
          json{{"command", "scene"}, {"brightness", 4}, {"distance", 2}},
          json{{"command", "camera"}, {"value", "front"}}, json{{"command", "background"}},
          json{{"command", "foreground"}}, json{{"command", "launch"}, {"value", "settings"}}}) {
        r = server_->post("/api/action", action);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, 200) << action.dump() << " " << r->body;
    }
    const json state = server_->waitState([](const json& s) { return s["app"] == "settings"; });
    ASSERT_TRUE(state.is_object());
    EXPECT_EQ(state["orientation"], "landscape-left");
    EXPECT_EQ(state["tilt"], 12.5);
    EXPECT_EQ(state["scene"]["distance"], 2);
    EXPECT_EQ(state["app"], "settings");
    r = server_->post("/api/clock", {{"speed", 10}});
    ASSERT_TRUE(r);
    EXPECT_EQ(json::parse(r->body)["speed"], 10);
}

TEST_F(ViewerApi, BadRequestsGetA4xxWithAClearMessage) {
    struct Bad {
        const char* method;
        const char* path;
        std::string body;
        const char* type;
        int status;
        const char* says;
    };
    const std::string huge = "{\"gesture\":\"drag\",\"points\":[" + std::string(70000, ' ') + "]}";
    const std::vector<Bad> cases{
        {"POST", "/api/touch", "{not json", "application/json", 400, "not a JSON object"},
        {"POST", "/api/touch", "[1,2]", "application/json", 400, "not a JSON object"},
        {"POST", "/api/touch", "{\"gesture\":\"tap\",\"x\":1,\"y\":2}", "text/plain", 415,
         "application/json"},
        {"POST", "/api/touch", "{}", "application/json", 400, "missing \"gesture\""},
        {"POST", "/api/touch", "{\"gesture\":\"pinch\"}", "application/json", 400,
         "unknown gesture"},
        {"POST", "/api/touch", "{\"gesture\":\"tap\",\"x\":\"1\",\"y\":2}", "application/json", 400,
         "numbers \"x\" and \"y\""},
        {"POST", "/api/touch", "{\"gesture\":\"press\",\"x\":1,\"y\":2,\"seconds\":-1}",
         "application/json", 400, "seconds"},
        {"POST", "/api/touch", "{\"gesture\":\"drag\",\"points\":[[1,2]],\"seconds\":1}",
         "application/json", 400, "2 to 2000"},
        {"POST", "/api/touch", "{\"gesture\":\"drag\",\"points\":[[1,2],[3]],\"seconds\":1}",
         "application/json", 400, "[x, y]"},
        {"POST", "/api/touch", huge, "application/json", 413, "64 KB"},
        {"POST", "/api/action", "{\"command\":\"rm\",\"value\":\"-rf\"}", "application/json", 400,
         "unknown command"},
        {"POST", "/api/action", "{\"command\":\"orient\",\"value\":\"sideways\"}",
         "application/json", 400, "unknown orient"},
        {"POST", "/api/action", "{\"command\":\"launch\",\"value\":\"camera; ls\"}",
         "application/json", 400, "unknown launch"},
        {"POST", "/api/action", "{\"command\":\"tilt\",\"value\":500}", "application/json", 400,
         "malformed tilt"},
        {"POST", "/api/action", "{\"command\":\"scene\"}", "application/json", 400, "brightness"},
        {"POST", "/api/clock", "{\"speed\":3}", "application/json", 400, "0 (pause), 1 or 10"},
        {"POST", "/api/clock", "{\"advance\":-2}", "application/json", 400, "above 0"},
        {"POST", "/api/record", "{\"on\":\"yes\"}", "application/json", 400, "\"on\""},
        {"POST", "/api/record", "{\"on\":false}", "application/json", 409, "not recording"},
        {"POST", "/api/expect", "{}", "application/json", 409, "start recording"},
        {"GET", "/api/touch", "", "", 405, "POST"},
        {"GET", "/api/log?from=abc", "", "", 400, "whole number"},
        {"GET", "/api/nothing", "", "", 404, "no such page"},
    };
    auto c = server_->client();
    for (const Bad& b : cases) {
        const auto r =
            std::string(b.method) == "GET" ? c->Get(b.path) : c->Post(b.path, b.body, b.type);
        ASSERT_TRUE(r) << b.path << " " << b.body.substr(0, 60);
        EXPECT_EQ(r->status, b.status) << b.path << " " << b.body.substr(0, 60);
        const json e = json::parse(r->body, nullptr, false);
        ASSERT_TRUE(e.is_object()) << r->body;
        EXPECT_NE(e.value("error", "").find(b.says), std::string::npos)
            << b.path << " " << b.body.substr(0, 60) << " -> " << r->body;
    }
    // A touch when no app runs is a conflict, not a crash.
    ASSERT_EQ(server_->post("/api/action", {{"command", "terminate"}})->status, 200);
    const auto r = server_->post("/api/touch", {{"gesture", "tap"}, {"x", 10}, {"y", 10}});
    EXPECT_EQ(r->status, 409);
    EXPECT_NE(r->body.find("no app is running"), std::string::npos);
    // A page reaching the server under another name is turned away.
    const auto rebound = c->Get("/api/state", {{"Host", "attacker.example:80"}});
    ASSERT_TRUE(rebound);
    EXPECT_EQ(rebound->status, 421);
}

TEST_F(ViewerApi, OnlyFilesInsideTheOutputFolderAreServed) {
    const fs::path out = base_ / "out";
    std::ofstream(base_ / "secret.txt") << "SECRET";
    std::ofstream(out / "hello.txt") << "hello";
    std::ofstream(out / ".hidden") << "SECRET";
    fs::create_symlink(base_ / "secret.txt", out / "link.txt");
    fs::create_directory_symlink(base_, out / "up");
    auto c = server_->client();
    const auto ok = c->Get("/out/hello.txt");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->status, 200);
    EXPECT_EQ(ok->body, "hello");
    EXPECT_EQ(c->Get("/out/events.log")->status, 404);  // written only when the server stops
    for (const char* path :
         {"/out/../secret.txt", "/out/%2e%2e/secret.txt", "/out/%2E%2E%2Fsecret.txt",
          "/out/..%2fsecret.txt", "/out//etc/passwd", "/out/%2Fetc%2Fpasswd",
          "/out/device/../../secret.txt", "/out/link.txt", "/out/up/secret.txt", "/out/.hidden",
          "/out/./hello.txt", "/out/hello.txt%00.jpg", "/out/..\\secret.txt", "/out/",
          "/out/device", "/../secret.txt", "/%2e%2e/secret.txt"}) {
        const auto r = c->Get(path);
        ASSERT_TRUE(r) << path;
        EXPECT_EQ(r->status / 100, 4) << path;
        EXPECT_EQ(r->body.find("SECRET"), std::string::npos) << path;
        EXPECT_EQ(r->body.find("root:"), std::string::npos) << path;
    }
}

}  // namespace
