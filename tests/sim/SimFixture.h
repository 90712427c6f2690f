#pragma once
// A temporary folder with an output folder, a device root and stand-in install sources, and a
// session on them running FakeApp.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/sim/FakeApp.h"
#include "tests/support/ScenarioSession.h"

namespace simtest {

using testsupport::profiles;

class SimTest : public testsupport::ScenarioSessionTest {
protected:
    SimTest() : ScenarioSessionTest("lumora3-simtest") {}

    void SetUp() override {
        ScenarioSessionTest::SetUp();
        if (HasFatalFailure()) return;
        sources_.strings = std::filesystem::path(LUMORA_SOURCE_DIR) / "data/strings";
        sources_.resources = base_ / "resources";
        std::filesystem::create_directories(sources_.resources / "Sounds");
        std::ofstream(sources_.resources / "Sounds" / "count.aif") << "sound";
    }

    sim::SessionOptions options() {
        sim::SessionOptions o = folderOptions();
        o.sources = sources_;
        o.appFactory = [this](sim::AppKind kind) {
            auto app = std::make_unique<FakeApp>(kind);
            lastApp_ = app.get();
            return app;
        };
        return o;
    }

    sim::Session& session() {
        if (!session_) startSession(options());
        return *session_;
    }

    // Parses and runs a script; parse errors fail the test.
    sim::RunReport run(const std::string& text) {
        session();
        return runLines(text);
    }

    sim::InstallSources sources_;
    FakeApp* lastApp_ = nullptr;
};

}  // namespace simtest
