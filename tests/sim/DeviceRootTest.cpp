// The device root: what installing lays out, and the folders the simulator refuses to clear.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/objc/Injection.h"
#include "sim/DeviceRoot.h"
#include "tests/sim/SimFixture.h"

namespace {

namespace fs = std::filesystem;
using simtest::SimTest;

TEST_F(SimTest, InstallLaysOutThePackage) {
    sim::Session& s = session();
    const fs::path root = s.root().path();
    EXPECT_TRUE(fs::is_regular_file(root / sim::kRootMarker));
    EXPECT_TRUE(fs::is_symlink(root / "User"));
    EXPECT_TRUE(fs::is_regular_file(
        root / "Library/PreferenceBundles/LU3_Prefs.bundle/fr.lproj/Localizable.strings"));
    EXPECT_TRUE(fs::is_regular_file(
        root / "Library/PreferenceBundles/LU3_Prefs.bundle/Base.lproj/Localizable.strings"));
    EXPECT_TRUE(fs::is_regular_file(root / "Library/Application Support/Lumora3/Sounds/count.aif"));
    const auto filter = ns::readDictionaryFile(sim::kAddOnFilterPath);
    ASSERT_TRUE(filter);
    EXPECT_TRUE(filter->contains("Filter"));
    bool installed = false;
    for (const auto& a : objc::Injection::shared().installed()) installed |= a.name == "Lumora3";
    EXPECT_TRUE(installed);
    EXPECT_TRUE(fs::is_directory(s.root().photoFolder()));
    EXPECT_EQ(s.root().preferencesFile(),
              root / "var/mobile/Library/Preferences/com.orvane.Lumora3.plist");
}

TEST_F(SimTest, LanguageGoesToTheLocaleAndTheGlobalPreferences) {
    std::string error;
    ASSERT_TRUE(session().setLanguage("zh-Hans", error)) << error;
    EXPECT_EQ(NSLocale::preferredLanguages().front(), "zh-Hans");
    const auto global = ns::readDictionaryFile(sim::kGlobalPreferencesPath);
    ASSERT_TRUE(global);
    EXPECT_EQ(*global->get("AppleLanguages")->array()->front().string(), "zh-Hans");
    EXPECT_FALSE(session().setLanguage("../x", error));
    EXPECT_FALSE(sim::DeviceRoot::isLanguageCode("e"));
    EXPECT_TRUE(sim::DeviceRoot::isLanguageCode("pt-BR"));
}

TEST_F(SimTest, ReuseKeepsTheFilesAndCleanStartDropsThem) {
    {
        std::string error;
        auto root = sim::DeviceRoot::open(base_ / "r", false, error);
        ASSERT_NE(root, nullptr) << error;
        std::ofstream(root->path() / "keep.txt") << "x";
    }
    std::string error;
    auto reused = sim::DeviceRoot::open(base_ / "r", true, error);
    ASSERT_NE(reused, nullptr) << error;
    EXPECT_TRUE(reused->reused());
    EXPECT_TRUE(fs::exists(base_ / "r/keep.txt"));
    auto clean = sim::DeviceRoot::open(base_ / "r", false, error);
    ASSERT_NE(clean, nullptr) << error;
    EXPECT_FALSE(fs::exists(base_ / "r/keep.txt"));
    EXPECT_TRUE(fs::exists(base_ / "r" / sim::kRootMarker));
}

TEST_F(SimTest, AForeignFolderIsNeverCleared) {
    fs::create_directories(base_ / "mine");
    std::ofstream(base_ / "mine/precious.txt") << "data";
    std::string error;
    EXPECT_EQ(sim::DeviceRoot::open(base_ / "mine", false, error), nullptr);
    EXPECT_NE(error.find("refusing"), std::string::npos) << error;
    EXPECT_EQ(sim::DeviceRoot::open(base_ / "mine", true, error), nullptr);
    EXPECT_TRUE(fs::exists(base_ / "mine/precious.txt"));
    std::ofstream(base_ / "file") << "x";
    EXPECT_EQ(sim::DeviceRoot::open(base_ / "file", false, error), nullptr);
    // An empty folder is fine.
    fs::create_directories(base_ / "empty");
    EXPECT_NE(sim::DeviceRoot::open(base_ / "empty", false, error), nullptr) << error;
}

TEST_F(SimTest, MissingInstallSourcesAreReported) {
    auto o = options();
    o.sources.resources.clear();
    std::string error;
    EXPECT_EQ(sim::Session::create(o, simtest::profiles(), error), nullptr);
    EXPECT_NE(error.find("resource folder"), std::string::npos) << error;
    o = options();
    o.model = "iphone99";
    EXPECT_EQ(sim::Session::create(o, simtest::profiles(), error), nullptr);
    EXPECT_NE(error.find("iphone99"), std::string::npos) << error;
}

}  // namespace
