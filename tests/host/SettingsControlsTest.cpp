// The Settings app's controls by name and its event log: a bundle's switch is found by the text
// of its row's label, every control a touch reaches logs its action, and the navigation bar
// follows the screens with a working back button.

#include <gtest/gtest.h>

#include "HostTestSupport.h"
#include "host/SettingsApp.h"
#include "host/SettingsNavigationBar.h"
#include "platform/foundation/FileSystem.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UILabel.h"

namespace hosttest {
namespace {

// A switch as a bundle might make one: a touch flips it and reports the new value.
class ToggleControl : public UIControl {
public:
    LU_OBJC_CLASS(UISwitch)
    explicit ToggleControl(CGRect frame) { setFrame(frame); }
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override {
        setSelected(!isSelected());
        sendActionsForControlEvents(UIControlEventValueChanged, event);
        UIControl::touchesEnded(touches, event);
    }
};

// A root screen with a cell "Enabled" holding a switch, and a button "More" that pushes a page.
class SwitchPrefsRoot : public PSViewController {
public:
    void viewDidLoad() override {
        setTitle("Test");
        auto v = view();
        auto row = std::make_shared<UIView>(CGRectMake(0, 100, 375, 44));
        auto label = std::make_shared<UILabel>(CGRectMake(15, 0, 200, 44));
        label->setText("Enabled");
        toggle = std::make_shared<ToggleControl>(CGRectMake(300, 6, 51, 31));
        row->addSubview(label);
        row->addSubview(toggle);
        v->addSubview(row);
        auto more = std::make_shared<UIButton>(CGRectMake(0, 200, 375, 44));
        more->setTitle("More", UIControlStateNormal);
        more->addTarget(
            nullptr,
            [this](UIControl*, UIEvent*) {
                auto page = std::make_shared<UIViewController>();
                page->setTitle("More");
                pushController(page, false);
            },
            UIControlEventTouchUpInside);
        v->addSubview(more);
    }
    std::shared_ptr<ToggleControl> toggle;
};

class SettingsControlsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        platform::PreferenceBundles::registerBundle(
            "SwitchPrefs", [] { return std::make_shared<SwitchPrefsRoot>(); });
        ASSERT_TRUE(ns::FileSystem::shared().createDirectory(
            "/Library/PreferenceBundles/SwitchPrefs.bundle", true));
    }
    void TearDown() override {
        settings_.terminate();
        platform::PreferenceBundles::unregisterBundle("SwitchPrefs");
        HostTest::TearDown();
    }
    void tap(const UIView& view) {
        const CGRect b = view.bounds();
        const CGPoint p =
            view.convertPointToView(CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b)), nullptr);
        auto& app = UIApplication::sharedApplication();
        app.sendTouch(0, UITouchPhaseBegan, p, settings_.window().get());
        platform::RunLoop::main().runFor(0.05);
        app.sendTouch(0, UITouchPhaseEnded, p, settings_.window().get());
        platform::RunLoop::main().runUntilIdle();
    }
    UIControl* named(const std::string& name) {
        return host::findNamedControl(*settings_.window(), name);
    }
    std::vector<std::string> lines(std::size_t from = 0) {
        std::vector<std::string> out;
        const auto entries = settings_.log().entries();
        for (std::size_t i = from; i < entries.size(); ++i) {
            out.push_back(entries[i].event + " " + entries[i].args);
        }
        return out;
    }

    host::SettingsApp settings_;
};

TEST_F(SettingsControlsTest, ControlsAreFoundByNameAndTheirActionsLogged) {
    settings_.launch();
    ASSERT_NE(named("SwitchPrefs"), nullptr) << "the list's row, by its title";
    tap(*named("SwitchPrefs"));
    ASSERT_NE(settings_.topController(), nullptr);
    EXPECT_EQ(settings_.topController()->title(), "Test");

    UIControl* toggle = named("Enabled");
    ASSERT_NE(toggle, nullptr) << "the switch, by the label of its cell";
    EXPECT_EQ(toggle->className(), "UISwitch");
    EXPECT_EQ(named("Nothing"), nullptr);
    EXPECT_EQ(named(""), nullptr);
    const std::size_t mark = settings_.log().size();
    tap(*toggle);
    tap(*toggle);
    EXPECT_FALSE(toggle->isSelected());
    EXPECT_EQ(lines(mark), (std::vector<std::string>{"valueChanged Enabled on", "tap Enabled",
                                                     "valueChanged Enabled off", "tap Enabled"}));
    EXPECT_EQ(settings_.log().count("UISwitch", "valueChanged"), 2u);
    EXPECT_TRUE(settings_.log().inOrder({"launch", "openBundle", "tap", "valueChanged"}))
        << "a control's own action runs first, then its tap is logged";
}

TEST_F(SettingsControlsTest, NavigationBarFollowsTheScreensAndGoesBack) {
    settings_.launch();
    host::SettingsNavigationBar* bar = settings_.navigationBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->titleLabel()->text(), "Settings");
    EXPECT_TRUE(bar->backButton()->isHidden());
    // The bar stays over the screens; the list's rows start below it.
    EXPECT_GE(named("SwitchPrefs")->frame().origin.y, host::SettingsNavigationBar::kHeight);

    settings_.openBundle("SwitchPrefs");
    tap(*named("More"));
    EXPECT_EQ(settings_.topController()->title(), "More");
    EXPECT_EQ(bar->titleLabel()->text(), "More") << "a screen the bundle pushed";
    ASSERT_FALSE(bar->backButton()->isHidden());
    EXPECT_EQ(bar->backButton()->titleForState(UIControlStateNormal), "\u2039 Test");

    tap(*bar->backButton());
    settings_.window()->layoutIfNeeded();
    platform::RunLoop::main().runFor(0.5);
    EXPECT_EQ(settings_.topController()->title(), "Test");
    EXPECT_EQ(bar->titleLabel()->text(), "Test");
    EXPECT_EQ(settings_.log().count("back"), 1u);
    settings_.back();
    EXPECT_TRUE(bar->backButton()->isHidden());
    settings_.back();  // at the list: nothing to go back to, nothing logged
    EXPECT_EQ(settings_.log().count("back"), 2u);
    settings_.terminate();
    EXPECT_EQ(settings_.log().events().back(), "terminate");
}

}  // namespace
}  // namespace hosttest
