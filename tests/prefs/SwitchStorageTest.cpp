// What each switch of the settings screens stores, when the camera is ended, and what merely
// opening the screens leaves alone.

#include "PrefsTestSupport.h"
#include "prefs/AFViewController.h"
#include "prefs/MainViewStoryboard.h"

namespace prefstest {
namespace {

using prefs::AFViewController;
using prefs::LU_MainViewController;

// The file's value as "int N" / "bool B", so that a whole table compares at once.
std::string typed(const std::optional<ns::Dictionary>& d, const std::string& key) {
    const ns::Value* v = d ? d->get(key) : nullptr;
    if (v == nullptr) return "absent";
    if (v->isBoolean()) return std::string("bool ") + (*v->boolean() ? "true" : "false");
    if (v->isInteger()) return "int " + std::to_string(*v->integer());
    return "other";
}

struct SwitchCase {
    const char* name;
    bool onActiveFeatures;
    std::shared_ptr<UISwitch> (*get)(LU_MainViewController&, AFViewController&);
    bool shownBefore;  // the default the screen shows with no file
    std::vector<std::pair<std::string, std::string>> stored;
    bool endsCamera;
};

TEST_F(PrefsTest, EachSwitchStoresItsKeysAndTypesAndEndsTheCameraOnlyWhereItMust) {
    using M = LU_MainViewController;
    using A = AFViewController;
    const SwitchCase cases[] = {
        {"enabled",
         false,
         [](M& m, A&) { return m.enabledSwitch; },
         true,
         {{"ENABLED", "int 0"}},
         true},
        {"adv photo",
         false,
         [](M& m, A&) { return m.advancedPhoto; },
         false,
         {{"advPhotoModeAsDefault", "int 1"}},
         false},
        {"adv video",
         false,
         [](M& m, A&) { return m.advancedVideo; },
         false,
         {{"advVideoModeAsDefault", "int 1"}},
         false},
        {"remember",
         false,
         [](M& m, A&) { return m.rememberSettings; },
         false,
         {{"rememberSettings", "bool true"}},
         false},
        {"remember fps on",
         false,
         [](M& m, A&) { return m.rememberFPSSettings; },
         false,
         {{"rememberFPSSettings", "bool true"},
          {"frameRateTime", "int 30"},
          {"dimensionHeightVideoBack", "int 0"},
          {"dimensionHeightVideoFront", "int 0"},
          {"dimensionHeightPhotoBack", "int 0"},
          {"dimensionHeightPhotoFront", "int 0"}},
         false},
        {"dimensions",
         true,
         [](M&, A& a) { return a.showDimensionsSW; },
         true,
         {{"showDimensions", "int 0"}},
         false},
        {"fps", true, [](M&, A& a) { return a.showFPSSW; }, true, {{"showFPS", "int 0"}}, false},
        {"horizon",
         true,
         [](M&, A& a) { return a.showHorizonAlignmentSW; },
         true,
         {{"showHorizonAlignment", "int 0"}},
         false},
        {"vertical",
         true,
         [](M&, A& a) { return a.showVerticalAlertSW; },
         true,
         {{"showVerticalAlert", "int 0"}},
         false},
        {"blur",
         true,
         [](M&, A& a) { return a.blurButtonBarSW; },
         true,
         {{"blurButtonBar", "int 0"}},
         false},
        {"unmirror",
         true,
         [](M&, A& a) { return a.unMirrorSelfiesSW; },
         false,
         {{"unMirrorSelfies", "int 1"}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ns::FileSystem::shared().removeItem(prefs::kPreferencesPath);
        prefs::resetState();
        commands.clear();
        open();
        main().view();
        main().ShowActiveFeatures();
        auto* af = dynamic_cast<AFViewController*>(nav().topViewController());
        ASSERT_NE(af, nullptr);
        af->view();
        auto control = c.get(main(), *af);
        EXPECT_EQ(control->isOn(), c.shownBefore) << "the readers' default with no file";
        ASSERT_FALSE(fileBytes()) << "opening the screens creates no file";

        flip(*control);
        const auto file = prefs::readPreferences();
        ASSERT_TRUE(file) << "the first change creates the file";
        EXPECT_EQ(file->size(), c.stored.size()) << "only the switched keys";
        for (const auto& [key, value] : c.stored) EXPECT_EQ(typed(file, key), value) << key;
        ASSERT_EQ(commands.size(), c.endsCamera ? 1u : 0u);
        if (c.endsCamera) {
            EXPECT_EQ(commands[0].text, "killall -9 Camera");
            EXPECT_EQ(commands[0].fileThen, file) << "the value is stored before the camera ends";
        }
        while (nav().viewControllers().size() > 1) nav().popViewController(false);
    }
}

TEST_F(PrefsTest, FrameRateMemoryResetsItsKeysBothWaysAndEndsTheCameraOnlyWhenTurnedOff) {
    writeFile({{"rememberFPSSettings", true},
               {"frameRateTime", 60},
               {"dimensionHeightVideoBack", 720},
               {"dimensionHeightPhotoFront", 960},
               {"guideIndex", 2}});
    open();
    main().view();
    ASSERT_TRUE(main().rememberFPSSettings->isOn());
    flip(*main().rememberFPSSettings);
    auto file = prefs::readPreferences();
    const std::vector<std::string> off{typed(file, "rememberFPSSettings"),
                                       typed(file, "frameRateTime"),
                                       typed(file, "dimensionHeightVideoBack"),
                                       typed(file, "dimensionHeightVideoFront"),
                                       typed(file, "dimensionHeightPhotoBack"),
                                       typed(file, "dimensionHeightPhotoFront"),
                                       typed(file, "guideIndex")};
    EXPECT_EQ(off, (std::vector<std::string>{"bool false", "int 30", "int 0", "int 0", "int 0",
                                             "int 0", "int 2"}));
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(typed(commands[0].fileThen, "frameRateTime"), "int 30");

    flip(*main().rememberFPSSettings);
    file = prefs::readPreferences();
    EXPECT_EQ(typed(file, "rememberFPSSettings"), "bool true");
    EXPECT_EQ(typed(file, "frameRateTime"), "int 30");
    EXPECT_EQ(commands.size(), 1u) << "turning it on leaves the camera running";
}

TEST_F(PrefsTest, OpeningEveryScreenWritesNothingAndAStoreKeepsKeysWrittenMeanwhile) {
    writeFile({{"ENABLED", true}, {"showFPS", false}, {"timerTime", 7}});
    const auto before = fileBytes();
    ASSERT_TRUE(before);
    open();
    main().view();
    main().ShowActiveFeatures();
    nav().topViewController()->view();
    nav().popViewController(false);
    main().ShowManual();
    nav().topViewController()->view();
    open().manualButtonTapped();
    nav().topViewController()->view();
    EXPECT_EQ(fileBytes(), before) << "byte for byte";
    EXPECT_TRUE(commands.empty());

    // The add-on saves while the screen is open; the next switch keeps what it saved.
    open();
    main().view();
    writeFile({{"ENABLED", true}, {"showFPS", false}, {"timerTime", 9}, {"frameRateTime", 60}});
    flip(*main().advancedPhoto);
    const auto file = prefs::readPreferences();
    EXPECT_EQ(typed(file, "timerTime"), "int 9");
    EXPECT_EQ(typed(file, "frameRateTime"), "int 60");
    EXPECT_EQ(typed(file, "showFPS"), "bool false");
    EXPECT_EQ(typed(file, "advPhotoModeAsDefault"), "int 1");
}

TEST_F(PrefsTest, AFailedWritePutsTheSwitchBackSaysSoAndLeavesTheCameraAlone) {
    auto& files = ns::FileSystem::shared();
    // A file where the folder should be: neither the folder nor the file can be made.
    files.removeItem(prefs::kPreferencesFolder);
    ASSERT_TRUE(files.writeFileAtomically(prefs::kPreferencesFolder, {'x'}));
    open();
    main().view();
    main().ShowActiveFeatures();
    auto* af = dynamic_cast<AFViewController*>(nav().topViewController());
    ASSERT_NE(af, nullptr);
    af->view();
    EXPECT_TRUE(main().saveFailedLabel->isHidden());

    flip(*main().enabledSwitch);
    EXPECT_TRUE(main().enabledSwitch->isOn()) << "back to the stored state";
    EXPECT_FALSE(main().saveFailedLabel->isHidden());
    EXPECT_EQ(main().saveFailedLabel->text(), "The setting could not be saved.");
    flip(*af->unMirrorSelfiesSW);
    EXPECT_FALSE(af->unMirrorSelfiesSW->isOn());
    EXPECT_FALSE(prefs::state().unMirrorSelfies) << "the flag follows the stored state";
    EXPECT_FALSE(af->saveFailedLabel->isHidden());
    EXPECT_TRUE(commands.empty()) << "nothing stored, so the camera is not ended";

    // A missing folder is made on the next change.
    files.removeItem(prefs::kPreferencesFolder);
    flip(*af->unMirrorSelfiesSW);
    EXPECT_TRUE(af->saveFailedLabel->isHidden());
    EXPECT_EQ(typed(prefs::readPreferences(), "unMirrorSelfies"), "int 1");
    EXPECT_EQ(commands.size(), 1u);
}

}  // namespace
}  // namespace prefstest
