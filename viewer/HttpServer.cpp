#include "viewer/HttpServer.h"

#include <httplib.h>

#include <charconv>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>

#include "viewer/FrameBoard.h"
#include "viewer/LivePhone.h"
#include "viewer/MainQueue.h"
#include "viewer/PageAssets.h"
#include "viewer/SafePath.h"

namespace viewer {

namespace {

using nlohmann::json;

void send(httplib::Response& res, const Reply& reply) {
    res.status = reply.status;
    res.set_content(reply.body, reply.contentType.c_str());
}

// A POST body as JSON: the parsed value, or a 4xx already set on `res`.
std::optional<json> jsonBody(const httplib::Request& req, httplib::Response& res) {
    const std::string type = req.get_header_value("Content-Type");
    // Only JSON: a page elsewhere cannot send it without asking first (a CORS preflight this
    // server never answers), so other sites cannot drive the phone.
    if (type.rfind("application/json", 0) != 0) {
        send(res, Reply::error(415, "send the body as Content-Type: application/json"));
        return std::nullopt;
    }
    json body = json::parse(req.body, nullptr, false);
    if (body.is_discarded() || !body.is_object()) {
        send(res, Reply::error(400, "the body is not a JSON object"));
        return std::nullopt;
    }
    return body;
}

bool isLoopbackHost(const std::string& hostHeader) {
    std::string host = hostHeader;
    if (!host.empty() && host.front() == '[') {
        host = host.substr(0, host.find(']') + 1);
    } else if (const auto colon = host.rfind(':'); colon != std::string::npos) {
        host = host.substr(0, colon);
    }
    return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

}  // namespace

HttpServer::HttpServer(LivePhone& phone, MainQueue& queue, FrameBoard& board,
                       std::filesystem::path outputFolder)
    : phone_(phone),
      queue_(queue),
      board_(board),
      outputFolder_(std::move(outputFolder)),
      server_(std::make_unique<httplib::Server>()) {
    // Each open page holds one thread for its event stream; the rest answer requests.
    server_->new_task_queue = [] { return new httplib::ThreadPool(16); };
    server_->set_payload_max_length(kMaxBody);
    server_->set_read_timeout(5, 0);
    server_->set_keep_alive_max_count(1000);
    routes();
}

HttpServer::~HttpServer() {
    stop();
}

int HttpServer::bind(const std::string& host, int port, std::string& error) {
    loopbackOnly_ = host == "127.0.0.1" || host == "localhost" || host == "::1";
    const int bound = port == 0 ? server_->bind_to_any_port(host)
                                : (server_->bind_to_port(host, port) ? port : -1);
    if (bound < 0) error = "cannot listen on " + host + ":" + std::to_string(port);
    return bound;
}

void HttpServer::start() {
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

void HttpServer::stop() {
    board_.close();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
}

void HttpServer::routes() {
    auto& s = *server_;
    // A page of another site reaching this server through a rebound name is turned away.
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (loopbackOnly_ && !isLoopbackHost(req.get_header_value("Host"))) {
            send(res, Reply::error(421, "this server answers only to 127.0.0.1 or localhost"));
            return httplib::Server::HandlerResponse::Handled;
        }
        res.set_header("X-Content-Type-Options", "nosniff");
        res.set_header("Cache-Control", "no-store");
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request& req,
                                                                httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        const std::string message = res.status == 404   ? "no such page: " + req.path
                                    : res.status == 413 ? "the request body is larger than 64 KB"
                                                        : "bad request";
        res.set_content(json{{"error", message}}.dump(), "application/json");
        return httplib::Server::HandlerResponse::Handled;
    }));

    // The page.
    for (const PageAsset& asset : pageAssets()) {
        const auto serve = [&asset](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(asset.bytes), contentTypeFor(asset.name).c_str());
        };
        s.Get("/" + asset.name, serve);
        if (asset.name == "index.html") s.Get("/", serve);
    }

    // Reads from the board.
    s.Get("/api/state", [this](const httplib::Request&, httplib::Response& res) {
        if (board_.state()->version == 0)
            board_.waitNewer(std::numeric_limits<std::uint64_t>::max(), 0, std::chrono::seconds(5));
        res.set_content(board_.state()->json, "application/json");
    });
    s.Get("/api/frame", [this](const httplib::Request&, httplib::Response& res) {
        // Right after start the first frame may still be on its way.
        if (board_.frame()->version == 0)
            board_.waitNewer(0, std::numeric_limits<std::uint64_t>::max(), std::chrono::seconds(5));
        const auto frame = board_.frame();
        if (frame->bytes.empty()) {
            send(res, Reply::error(503, "no frame yet"));
            return;
        }
        res.set_header("X-Frame-Version", std::to_string(frame->version));
        res.set_content(std::string(frame->bytes.begin(), frame->bytes.end()),
                        frame->contentType.c_str());
    });
    s.Get("/api/events", [this](const httplib::Request&, httplib::Response& res) {
        board_.viewerJoined();
        queue_.wake();
        struct Seen {
            std::uint64_t frame = 0;
            std::uint64_t state = 0;
        };
        auto seen = std::make_shared<Seen>();
        res.set_chunked_content_provider(
            "text/event-stream",
            [this, seen](std::size_t, httplib::DataSink& sink) {
                if (board_.closed()) return false;
                board_.waitNewer(seen->frame, seen->state, std::chrono::seconds(5));
                if (board_.closed()) return false;
                std::string message;
                const auto state = board_.state();
                if (state->version > seen->state) {
                    seen->state = state->version;
                    message += "event: state\ndata: " + state->json + "\n\n";
                }
                const auto frame = board_.frame();
                if (frame->version > seen->frame) {
                    seen->frame = frame->version;
                    message += "event: frame\ndata: " + std::to_string(frame->version) + "\n\n";
                }
                // A comment now and then finds out when the page has gone.
                if (message.empty()) message = ": still here\n\n";
                return sink.write(message.data(), message.size());
            },
            [this](bool) {
                board_.viewerLeft();
                queue_.wake();
            });
    });

    // Through the simulator's main queue.
    s.Get("/api/log", [this](const httplib::Request& req, httplib::Response& res) {
        std::size_t from = 0;
        if (req.has_param("from")) {
            const std::string v = req.get_param_value("from");
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), from);
            if (ec != std::errc() || end != v.data() + v.size() || v.size() > 12) {
                send(res, Reply::error(400, "\"from\" must be a whole number"));
                return;
            }
        }
        send(res, queue_.call([this, from] { return phone_.log(from); }));
    });
    s.Get("/api/elements", [this](const httplib::Request&, httplib::Response& res) {
        send(res, queue_.call([this] { return phone_.elements(); }));
    });
    const auto post = [this, &s](const std::string& path,
                                 Reply (LivePhone::*handler)(const json&)) {
        s.Post(path, [this, handler](const httplib::Request& req, httplib::Response& res) {
            const auto body = jsonBody(req, res);
            if (!body) return;
            send(res, queue_.call([this, handler, body] { return (phone_.*handler)(*body); }));
        });
        s.Get(path, [](const httplib::Request&, httplib::Response& res) {
            send(res, Reply::error(405, "use POST with a JSON body"));
        });
    };
    post("/api/touch", &LivePhone::touch);
    post("/api/action", &LivePhone::action);
    post("/api/clock", &LivePhone::setClock);
    post("/api/record", &LivePhone::record);
    s.Post("/api/expect", [this](const httplib::Request& req, httplib::Response& res) {
        if (!jsonBody(req, res)) return;
        send(res, queue_.call([this] { return phone_.addExpect(); }));
    });

    // The output folder: finished files only, never a path outside it.
    s.Get(R"(/out/(.*))", [this](const httplib::Request& req, httplib::Response& res) {
        std::string why;
        const auto file = resolveInside(outputFolder_, req.matches[1].str(), why);
        if (!file) {
            send(res, Reply::error(404, why));
            return;
        }
        std::ifstream in(*file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in) {
            send(res, Reply::error(404, "cannot read the file"));
            return;
        }
        res.set_content(std::move(bytes), contentTypeFor(*file).c_str());
    });
}

}  // namespace viewer
