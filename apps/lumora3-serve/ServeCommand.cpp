#include "apps/lumora3-serve/ServeCommand.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "viewer/FrameBoard.h"
#include "viewer/HttpServer.h"
#include "viewer/LivePhone.h"
#include "viewer/MainQueue.h"

namespace {

struct ServeArgs {
    int port = 8017;
    std::string host = "127.0.0.1";
    viewer::LiveOptions phone;
};

// Ctrl-C closes the queue; the simulator thread then leaves its loop and everything stops in
// order. The handler only flips a flag the watcher thread polls.
volatile std::sig_atomic_t stopRequested = 0;

int serve(const ServeArgs& args) {
    if (args.port < 0 || args.port > 65535) {
        std::fprintf(stderr, "lumora3 serve: the port must be 0 to 65535\n");
        return 2;
    }
    const bool loopback =
        args.host == "127.0.0.1" || args.host == "localhost" || args.host == "::1";
    if (!loopback) {
        std::fprintf(stderr,
                     "lumora3 serve: warning: listening on %s: anyone who reaches this machine "
                     "can drive the phone and read its output folder\n",
                     args.host.c_str());
    }
    std::string error;
    auto phone = viewer::LivePhone::create(args.phone, error);
    if (!phone) {
        std::fprintf(stderr, "lumora3 serve: %s\n", error.c_str());
        return 2;
    }
    viewer::MainQueue queue;
    viewer::FrameBoard board;
    viewer::HttpServer server(*phone, queue, board, phone->outputFolder());
    const int port = server.bind(args.host, args.port, error);
    if (port < 0) {
        std::fprintf(stderr, "lumora3 serve: %s\n", error.c_str());
        return 2;
    }
    server.start();
    const std::string shown =
        args.host.find(':') != std::string::npos ? "[" + args.host + "]" : args.host;
    std::printf("lumora3 serve: http://%s:%d/ (output in %s; Ctrl-C stops)\n", shown.c_str(), port,
                args.phone.out.c_str());
    std::fflush(stdout);

    std::signal(SIGINT, [](int) { stopRequested = 1; });
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::thread watcher([&queue] {
        while (!stopRequested && !queue.closed())
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        queue.close();
    });
    phone->run(queue, board);
    queue.close();
    watcher.join();
    server.stop();
    std::printf("lumora3 serve: stopped\n");
    return 0;
}

}  // namespace

void addServeCommand(CLI::App& app) {
    auto args = std::make_shared<ServeArgs>();
    args->phone.out = "out/serve";
    auto* cmd = app.add_subcommand(
        "serve", "The simulated phone, live in a web browser (http://127.0.0.1:PORT/)");
    cmd->add_option("--port", args->port, "Port to listen on (default 8017; 0 picks a free one)");
    cmd->add_option("--host", args->host,
                    "Address to listen on (default 127.0.0.1; anything else is reachable by "
                    "others)");
    cmd->add_option("--device", args->phone.model, "Phone model (see `lumora3 devices`)");
    cmd->add_option("--language", args->phone.language, "Preferred language (en, fr, ja, ...)");
    cmd->add_option("--out", args->phone.out,
                    "Output folder: the device root, recordings and the event log "
                    "(default out/serve)");
    cmd->callback([args] {
        const int code = serve(*args);
        if (code != 0) throw CLI::RuntimeError(code);
    });
}
