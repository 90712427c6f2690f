// Held in landscape, a phone's camera keeps its portrait interface and turns each top-bar
// control upright in its place: every control stays whole inside the bar, the menus stack their
// mark over their state, an open menu lies along the bar with upright options, and a tablet,
// whose whole interface turns, leaves its controls unturned.

#include <gtest/gtest.h>

#include <cmath>

#include "HostTestSupport.h"
#include "host/CameraView.h"

namespace hosttest {
namespace {

bool inside(CGRect inner, CGRect outer) {
    const double e = 1e-6;
    return inner.origin.x >= outer.origin.x - e && inner.origin.y >= outer.origin.y - e &&
           CGRectGetMaxX(inner) <= CGRectGetMaxX(outer) + e &&
           CGRectGetMaxY(inner) <= CGRectGetMaxY(outer) + e;
}

bool same(CGRect a, CGRect b) {
    const double e = 1e-6;
    return std::fabs(a.origin.x - b.origin.x) < e && std::fabs(a.origin.y - b.origin.y) < e &&
           std::fabs(a.size.width - b.size.width) < e &&
           std::fabs(a.size.height - b.size.height) < e;
}

// +1 for a quarter turn clockwise on screen, -1 anticlockwise, 0 for none.
int quarterTurn(const UIView& v) {
    const CGAffineTransform t = v.transform();
    if (std::fabs(t.a) > 1e-6) return 0;
    return t.b > 0 ? 1 : -1;
}

class LandscapeLayoutTest : public HostTest {
protected:
    host::TopBar& bar() { return *app_.cameraView()->topBar(); }
    void hold(long orientation) {
        app_.rotate(orientation);
        app_.runFor(0.5);
        app_.window()->layoutIfNeeded();
    }
    // Every visible top-bar control lies whole inside the bar, and none overlaps another.
    void expectControlsInsideTheBar(const char* when) {
        const CGRect b = bar().bounds();
        std::vector<CGRect> frames;
        for (UIView* v : std::initializer_list<UIView*>{
                 bar().flashMenu().get(), bar().hdrMenu().get(), bar().flipButton().get()}) {
            if (v->isHidden() || v->alpha() == 0) continue;
            EXPECT_TRUE(inside(v->frame(), b)) << when << ": " << v->className();
            frames.push_back(v->frame());
        }
        for (std::size_t i = 0; i < frames.size(); ++i) {
            for (std::size_t j = i + 1; j < frames.size(); ++j) {
                EXPECT_FALSE(CGRectIntersectsRect(frames[i], frames[j])) << when;
            }
        }
    }
};

TEST_F(LandscapeLayoutTest, EachControlTurnsInPlaceAndStaysWholeInTheBar) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    const CGRect portraitFlash = bar().flashMenu()->frame();
    const CGRect portraitFlip = bar().flipButton()->frame();
    expectControlsInsideTheBar("portrait");

    for (const long o : {3L, 4L}) {
        hold(o);
        const int turn = o == 3 ? 1 : -1;
        for (UIView* v : std::initializer_list<UIView*>{
                 bar().flashMenu().get(), bar().hdrMenu().get(), bar().flipButton().get()}) {
            EXPECT_EQ(quarterTurn(*v), turn) << o << " " << v->className();
        }
        // The menus' labels read across the bar's height: their own bounds are narrower than
        // the bar is high, and they keep their place in the bar.
        for (const auto& menu : {bar().flashMenu(), bar().hdrMenu()}) {
            EXPECT_LE(menu->bounds().size.width, bar().bounds().size.height) << o;
            EXPECT_GT(menu->bounds().size.height, menu->bounds().size.width) << o;
        }
        EXPECT_TRUE(same(bar().flashMenu()->frame(), portraitFlash)) << o;
        EXPECT_TRUE(same(bar().flipButton()->frame(), portraitFlip)) << o;
        expectControlsInsideTheBar(o == 3 ? "landscape left" : "landscape right");
    }

    hold(1);
    EXPECT_EQ(quarterTurn(*bar().flashMenu()), 0);
    EXPECT_TRUE(CGAffineTransformIsIdentity(bar().hdrMenu()->transform()));
    EXPECT_TRUE(same(bar().flashMenu()->frame(), portraitFlash));
    EXPECT_GT(bar().flashMenu()->bounds().size.width, bar().flashMenu()->bounds().size.height);
}

TEST_F(LandscapeLayoutTest, AppStartedWhileHeldSidewaysTurnsItsControlsAtOnce) {
    ASSERT_TRUE(launch("iphone6"));
    hold(4);
    app_.terminate();
    ASSERT_TRUE(launch("iphone6"));
    app_.window()->layoutIfNeeded();
    EXPECT_EQ(quarterTurn(*bar().flashMenu()), -1);
    EXPECT_EQ(quarterTurn(*bar().flipButton()), -1);
    EXPECT_EQ(quarterTurn(*app_.cameraView()->bottomBar()->imageWell()), -1);
    expectControlsInsideTheBar("launched sideways");
}

TEST_F(LandscapeLayoutTest, FaceUpKeepsTheLastHold) {
    ASSERT_TRUE(launch("iphone6"));
    hold(3);
    hold(5);
    EXPECT_EQ(quarterTurn(*bar().flashMenu()), 1);
    EXPECT_EQ(bar().flashMenu()->hold(), 3);
    expectControlsInsideTheBar("face up");
}

TEST_F(LandscapeLayoutTest, AnOpenMenuLiesAlongTheBarWithUprightOptions) {
    ASSERT_TRUE(launch("iphone6"));
    hold(3);
    app_.expandMenu();
    app_.window()->layoutIfNeeded();
    const auto& flash = bar().flashMenu();
    ASSERT_TRUE(flash->isExpanded());
    EXPECT_TRUE(CGAffineTransformIsIdentity(flash->transform()));
    EXPECT_TRUE(same(flash->frame(), bar().expandedFrame()));
    for (const auto& option : flash->optionButtons()) {
        EXPECT_FALSE(option->isHidden());
        EXPECT_EQ(quarterTurn(*option), 1);
        EXPECT_TRUE(inside(option->frame(), flash->bounds()));
    }
    // Turning while open turns the options; choosing one closes the menu turned.
    hold(4);
    for (const auto& option : flash->optionButtons()) EXPECT_EQ(quarterTurn(*option), -1);
    app_.tap(host::CameraApp::centreInWindow(*flash->optionButtons()[1]));
    app_.window()->layoutIfNeeded();
    EXPECT_FALSE(flash->isExpanded());
    EXPECT_EQ(flash->selectedOption(), 1);
    EXPECT_EQ(quarterTurn(*flash), -1);
    expectControlsInsideTheBar("closed after a choice");
}

TEST_F(LandscapeLayoutTest, TabletControlsStayUnturnedAsTheInterfaceTurns) {
    ASSERT_TRUE(launch("ipadair"));
    app_.runFor(0.5);
    hold(3);
    host::CameraView* view = app_.cameraView();
    EXPECT_GT(view->bounds().size.width, view->bounds().size.height) << "the interface turned";
    EXPECT_TRUE(CGAffineTransformIsIdentity(bar().hdrMenu()->transform()));
    EXPECT_TRUE(CGAffineTransformIsIdentity(bar().flipButton()->transform()));
    EXPECT_TRUE(CGAffineTransformIsIdentity(view->bottomBar()->imageWell()->transform()));
    expectControlsInsideTheBar("tablet landscape");
}

}  // namespace
}  // namespace hosttest
