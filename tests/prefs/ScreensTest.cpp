// The screens as the user meets them: defaults by screen size, the manual's pages forwards and
// back on a bounded navigation stack with the bar shown again, and the texts by language.

#include "PrefsTestSupport.h"
#include "platform/runloop/RunLoop.h"
#include "prefs/AFViewController.h"
#include "prefs/ManualViewController.h"
#include "prefs/Translations.h"

namespace prefstest {
namespace {

using prefs::ManualViewController;

TEST_F(PrefsTest, DefaultsWithNoFileFollowTheScreenAndTheManualNibTheDevice) {
    struct Case {
        double height;
        int idiom;
        bool blur;
        const char* nib;
    };
    for (const Case& c :
         {Case{667, 0, true, "ManualPage1_iphone"}, Case{480, 0, false, "ManualPage1_iphone_4"},
          Case{1024, 1, true, "ManualPage1_ipad"}}) {
        SCOPED_TRACE(c.height);
        setScreen(c.height, c.idiom);
        prefs::resetState();
        auto& root = open(CGSizeMake(321, c.height - 64));
        EXPECT_EQ(root.contentSize().width, 321) << "the size given, not a table never made";
        EXPECT_EQ(root.contentSize().height, c.height - 64);
        main().view();
        const auto& m = main();
        EXPECT_EQ((std::vector<bool>{m.enabledSwitch->isOn(), m.advancedPhoto->isOn(),
                                     m.advancedVideo->isOn(), m.rememberSettings->isOn(),
                                     m.rememberFPSSettings->isOn()}),
                  (std::vector<bool>{true, false, false, false, false}));
        const auto& s = prefs::state();
        EXPECT_EQ((std::vector<bool>{s.showDimensions, s.showFPS, s.showOverlays,
                                     s.showHorizonAlignment, s.showVerticalAlert, s.showBulb,
                                     s.showMemoryWarning, s.blurButtonBar, s.unMirrorSelfies}),
                  (std::vector<bool>{true, true, true, true, true, false, true, c.blur, false}));
        root.manualButtonTapped();
        auto* manual = dynamic_cast<ManualViewController*>(nav().topViewController());
        ASSERT_NE(manual, nullptr);
        EXPECT_EQ(manual->nibName(), c.nib);
        EXPECT_FALSE(manual->delegate.expired()) << "the root gives the manual its delegate";
    }
    EXPECT_FALSE(fileBytes());
}

TEST_F(PrefsTest, ManualPagesGoForwardAndBackOnABoundedStackWithTheBarShownAgain) {
    open();
    main().view();
    main().viewDidAppear(false);
    EXPECT_TRUE(nav().isNavigationBarHidden()) << "the main screen hides the bar";
    main().ShowManual();
    auto page = [&] {
        auto* m = dynamic_cast<ManualViewController*>(nav().topViewController());
        return m != nullptr ? m->page() : 0;
    };
    auto top = [&] { return dynamic_cast<ManualViewController*>(nav().topViewController()); };
    ASSERT_EQ(page(), 1);
    EXPECT_FALSE(nav().isNavigationBarHidden()) << "a pushed screen has its back button";

    std::vector<int> pages{page()};
    std::vector<std::size_t> depths{nav().viewControllers().size()};
    auto press = [&](bool next) {
        ManualViewController* m = top();
        ASSERT_NE(m, nullptr);
        const std::shared_ptr<UIButton> buttons[] = {m->p1_nextBtn, m->p2_nextBtn, m->p3_nextBtn,
                                                     m->p2_prevBtn, m->p3_prevBtn, m->p4_prevBtn};
        const auto& b = buttons[(next ? 0 : 2) + m->page() - 1];
        ASSERT_NE(b, nullptr);
        // Held, so that the page can still be tapped once it has left the stack.
        const auto was = std::static_pointer_cast<ManualViewController>(m->shared_from_this());
        b->sendActionsForControlEvents(UIControlEventTouchUpInside);
        // A second tap on the page that is no longer on top does nothing.
        was->toNextPage(*b);
        platform::RunLoop::main().runFor(1);
        pages.push_back(page());
        depths.push_back(nav().viewControllers().size());
    };
    for (bool next : {true, true, true, false, false, false}) press(next);
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 3, 2, 1}));
    EXPECT_EQ(depths, (std::vector<std::size_t>{2, 3, 4, 5, 4, 3, 2}));
    nav().popViewController(false);
    EXPECT_TRUE(nav().isNavigationBarHidden()) << "back on the main screen, hidden again";
    EXPECT_FALSE(fileBytes());
}

TEST_F(PrefsTest, TextsComeFromTheExactLanguageFolderOrBase) {
    struct Case {
        const char* language;
        const char* startInAdvancedMode;
        const char* next;
        const char* note;
    };
    const Case cases[] = {
        {"fr", "Démarrer en mode avancé", "Suivant",
         "Intervalle : choisissez un intervalle sur la molette et touchez son centre pour "
         "démarrer. Touchez-le à nouveau pour arrêter."},
        {"ja", "詳細モードで起動", "次へ", nullptr},
        {"fr-CA", "Start in advanced mode", "Next", nullptr},
        {"en", "Start in advanced mode", "Next", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        prefs::resetState();
        NSLocale::setPreferredLanguages({c.language});
        open();
        main().view();
        EXPECT_EQ(main().startupAdv1->text(), c.startInAdvancedMode);
        EXPECT_EQ(main().startupAdv2->text(), c.startInAdvancedMode);
        main().ShowManual();
        auto* manual = dynamic_cast<ManualViewController*>(nav().topViewController());
        ASSERT_NE(manual, nullptr);
        manual->view();
        EXPECT_EQ(manual->p1_nextBtn->titleForState(UIControlStateNormal), c.next);
        if (c.note != nullptr) {
            EXPECT_EQ(manual->p1_lapse1->text(), c.note);
        }
        EXPECT_EQ(manual->p2_prevBtn, nullptr) << "page 1 has no Previous button";
    }
    // Every key the screens show is translated in all five languages.
    for (const char* language : {"en", "fr", "ja", "zh-Hans", "zh-Hant"}) {
        prefs::resetState();
        NSLocale::setPreferredLanguages({language});
        prefs::InitTranslationDictionary();
        for (const char* key : {"ENABLE", "REMEMBER_FPS", "UNMIRROR", "UNMIRROR_NOTE",
                                "SAVE_FAILED", "ALWAYS_ON", "Note_Vertical"}) {
            EXPECT_EQ(prefs::GetResource(key).find("needs translation"), std::string::npos)
                << language << " " << key;
        }
    }
    prefs::resetState();
    ns::FileSystem::shared().removeItem(prefs::kBundlePath);
    prefs::InitTranslationDictionary();
    EXPECT_EQ(prefs::GetResource("SHOW"), "SHOW needs translation!");
}

}  // namespace
}  // namespace prefstest
