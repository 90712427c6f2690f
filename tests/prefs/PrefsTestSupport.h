#pragma once
// The settings bundle in a Settings process of its own: a scratch device root with the
// translations installed, a screen, the bundle's root controller on a navigation stack, and a
// system() that records each command with the preferences file as it stood at that moment.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/device/Device.h"
#include "platform/device/Process.h"
#include "platform/device/SystemCommand.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/ui/UIKitClasses.h"
#include "platform/ui/UINavigationController.h"
#include "prefs/LU_MainViewController.h"
#include "prefs/LU_PreferencesController.h"
#include "prefs/PreferencesFile.h"
#include "prefs/PrefsState.h"
#include "tests/common/ScratchDir.h"

namespace prefstest {

namespace fs = std::filesystem;

struct Command {
    std::string text;
    std::optional<ns::Dictionary> fileThen;  // the preferences file when the command ran
};

class PrefsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = lumora::test::scratchDir("lu3-prefs");
        fs::create_directories(root_);
        auto& files = ns::FileSystem::shared();
        files.setRoot(root_);
        ASSERT_TRUE(files.layOutRoot());
        const fs::path bundle = files.resolve("/Library/PreferenceBundles/LU3_Prefs.bundle");
        for (const auto& e : fs::directory_iterator(fs::path(LUMORA_SOURCE_DIR) / "data/strings")) {
            fs::create_directories(bundle / e.path().filename());
            fs::copy_file(e.path() / "Localizable.strings",
                          bundle / e.path().filename() / "Localizable.strings",
                          fs::copy_options::overwrite_existing);
        }
        setScreen(667);
        NSLocale::setPreferredLanguages({"en"});
        platform::Process::launch("com.apple.Preferences");
        platform::registerUIKitClasses();
        prefs::resetState();
        platform::setSystemCommandHandler([this](const char* command) {
            commands.push_back({command, prefs::readPreferences()});
            return 0;
        });
    }
    void TearDown() override {
        platform::setSystemCommandHandler(nullptr);
        nav_.reset();
        rootController_.reset();
        platform::Process::terminate();
        prefs::resetState();
        platform::Device::reset();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static void setScreen(double height, int idiom = 0) {
        platform::DeviceConfig c;
        c.screenBounds = CGRectMake(0, 0, idiom == 1 ? 768 : 320, height);
        c.idiom = idiom;
        platform::Device::configure(c);
    }

    // The Settings app opens the bundle: its root controller, sized and on a navigation stack.
    prefs::LU_PreferencesController& open(CGSize size = CGSizeMake(320, 667)) {
        rootController_ = std::make_shared<prefs::LU_PreferencesController>();
        rootController_->initForContentSize(size);
        nav_ = std::make_shared<UINavigationController>(rootController_);
        nav_->view();
        return *rootController_;
    }
    prefs::LU_MainViewController& main() { return *rootController_->mainViewComtroller; }
    UINavigationController& nav() { return *nav_; }

    // A user's tap on a switch: it flips and reports the change.
    static void flip(UISwitch& s) {
        s.setOn(!s.isOn());
        s.sendActionsForControlEvents(UIControlEventValueChanged);
    }

    static void writeFile(const ns::Dictionary& d) {
        ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(d), prefs::kPreferencesPath));
    }
    static std::optional<std::vector<std::uint8_t>> fileBytes() {
        return ns::FileSystem::shared().readFile(prefs::kPreferencesPath);
    }

    std::vector<Command> commands;

private:
    fs::path root_;
    std::shared_ptr<prefs::LU_PreferencesController> rootController_;
    std::shared_ptr<UINavigationController> nav_;
};

}  // namespace prefstest
