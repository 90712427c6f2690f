#pragma once
// A fixture for end-to-end tests that drive the simulated phone with scenario lines: a
// temporary folder holding the session's output folder and device root, and the session on
// them. Folder and session end with the test.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/scenario/Script.h"
#include "tests/support/DeviceProfiles.h"

namespace testsupport {

class ScenarioSessionTest : public ::testing::Test {
protected:
    // `prefix` names the temporary folder: <prefix>-XXXXXX.
    explicit ScenarioSessionTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        std::string templ =
            (std::filesystem::temp_directory_path() / (prefix_ + "-XXXXXX")).string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        base_ = templ;
    }
    void TearDown() override {
        session_.reset();
        std::error_code ec;
        std::filesystem::remove_all(base_, ec);
    }

    // The session's output folder and device root inside the temporary folder; the app factory
    // and install sources are left to the test.
    sim::SessionOptions folderOptions() const {
        sim::SessionOptions o;
        o.outputFolder = base_ / "out";
        o.rootFolder = base_ / "root";
        return o;
    }
    // Starts a session (in place of any running one) on the source tree's device profiles;
    // one that does not start fails the test.
    bool startSession(sim::SessionOptions o) {
        std::string error;
        session_ = sim::Session::create(std::move(o), profiles(), error);
        EXPECT_NE(session_, nullptr) << error;
        return session_ != nullptr;
    }
    // Parses `text` (a parse error fails the test) and runs it on the session.
    sim::RunReport runLines(const std::string& text, const std::string& fileName = "t.scn") {
        auto parsed = sim::parseScript(text, fileName);
        for (const auto& e : parsed.errors) ADD_FAILURE() << e.describe();
        if (!session_) {
            ADD_FAILURE() << "no session to run " << fileName << " on";
            return {};
        }
        return sim::runScript(parsed.script, *session_);
    }
    // Runs `text` as runLines does; each failed check fails the test.
    void runChecked(const std::string& text, const std::string& fileName = "t.scn") {
        const auto report = runLines(text, fileName);
        for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    }
    // The failed checks of a run, one a line, for a test's message.
    static std::string failures(const sim::RunReport& r) {
        std::string s;
        for (const auto& f : r.failures) s += f.describe() + "\n";
        return s;
    }

    std::filesystem::path base_;
    std::unique_ptr<sim::Session> session_;

private:
    std::string prefix_;
};

}  // namespace testsupport
