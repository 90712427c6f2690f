#pragma once
// A temporary folder with an output folder, a device root and stand-in install sources, and a
// session on them running FakeApp.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/capture/DeviceProfile.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/scenario/Script.h"
#include "tests/sim/FakeApp.h"

namespace simtest {

inline const platform::DeviceProfileRegistry& profiles() {
    static const auto registry = [] {
        auto r = platform::DeviceProfileRegistry::loadFolder(
            std::filesystem::path(LUMORA_SOURCE_DIR) / "data/devices");
        EXPECT_TRUE(r.ok());
        return r.value();
    }();
    return registry;
}

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ =
            (std::filesystem::temp_directory_path() / "lumora3-simtest-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        base_ = templ;
        sources_.strings = std::filesystem::path(LUMORA_SOURCE_DIR) / "data/strings";
        sources_.resources = base_ / "resources";
        std::filesystem::create_directories(sources_.resources / "Sounds");
        std::ofstream(sources_.resources / "Sounds" / "count.aif") << "sound";
    }
    void TearDown() override {
        session_.reset();
        std::error_code ec;
        std::filesystem::remove_all(base_, ec);
    }

    sim::SessionOptions options() {
        sim::SessionOptions o;
        o.outputFolder = base_ / "out";
        o.rootFolder = base_ / "root";
        o.sources = sources_;
        o.appFactory = [this](sim::AppKind kind) {
            auto app = std::make_unique<FakeApp>(kind);
            lastApp_ = app.get();
            return app;
        };
        return o;
    }

    sim::Session& session() {
        if (!session_) {
            std::string error;
            session_ = sim::Session::create(options(), profiles(), error);
            EXPECT_NE(session_, nullptr) << error;
        }
        return *session_;
    }

    // Parses and runs a script; parse errors fail the test.
    sim::RunReport run(const std::string& text) {
        auto parsed = sim::parseScript(text, "t.scn");
        for (const auto& e : parsed.errors) ADD_FAILURE() << e.describe();
        return sim::runScript(parsed.script, session());
    }

    std::filesystem::path base_;
    sim::InstallSources sources_;
    std::unique_ptr<sim::Session> session_;
    FakeApp* lastApp_ = nullptr;
};

}  // namespace simtest
