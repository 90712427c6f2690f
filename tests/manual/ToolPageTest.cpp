// The tab page and the rulers on the camera bar's second page: where they sit on a 320 and a
// 375 point wide phone, and what the tabs open and show.

#include "ManualTestSupport.h"
#include "core/TweakState.h"
#include "manual/CameraBarAccess.h"
#include "platform/ui/UIScrollView.h"

namespace manualtest {
namespace {

using lumora::DialScrollview;

void expectFrame(const UIView* view, CGRect expected, const char* what) {
    ASSERT_NE(view, nullptr) << what;
    const CGRect f = view->frame();
    EXPECT_TRUE(std::abs(f.origin.x - expected.origin.x) < 0.01 &&
                std::abs(f.origin.y - expected.origin.y) < 0.01 &&
                std::abs(f.size.width - expected.size.width) < 0.01 &&
                std::abs(f.size.height - expected.size.height) < 0.01)
        << what << ": (" << f.origin.x << "," << f.origin.y << "," << f.size.width << ","
        << f.size.height << ")";
}

class ToolPage : public ManualOnHost,
                 public ::testing::WithParamInterface<std::tuple<const char*, double>> {};

// x0 = (int)((int)(W / 4) / 1.4 + 9); the exposure tab is two quarters on once the bar has laid
// the page out; the rulers are centred on the second page.
struct PageFrames {
    double width, focusX, exposureXAfterLayout, lensX, isoX, shutterX;
};

TEST_P(ToolPage, TabsAndRulersSitOnTheSecondPage) {
    const auto [model, width] = GetParam();
    const PageFrames f = width == 320 ? PageFrames{320, 66, 226, 405, 340, 500}
                                      : PageFrames{375, 75, 261, 487.5, 422.5, 582.5};
    launch(model, 0);
    openToolPage();
    ASSERT_EQ(lumora::cameraBarViewFrame().size.width, width);
    expectFrame(lumora::cameraBarScrollview()->viewWithTag(lumora::kFocusAndExposurePageTag),
                CGRectMake(width, 0, width, 65), "page");
    expectFrame(tools().customDrawButtonFocus(), CGRectMake(f.focusX, 5, 47, 47), "focus tab");
    // Showing the bar lays the page out again.
    expectFrame(tools().customDrawButtonExposure(), CGRectMake(f.exposureXAfterLayout, 5, 47, 47),
                "exposure tab");

    tapView(*tools().customDrawButtonFocus());
    expectFrame(tools().dialScrollviewLensPosition(), CGRectMake(f.lensX, 40, 150, 45), "lens");
    EXPECT_EQ(tools().customDrawButtonFocus()->drawFlow(), 3);
    tapView(*tools().customDrawButtonExposure());
    expectFrame(tools().dialScrollviewISO(), CGRectMake(f.isoX, 40, 120, 45), "iso");
    expectFrame(tools().dialScrollviewShutterspeed(), CGRectMake(f.shutterX, 40, 120, 45),
                "shutter");
    EXPECT_EQ(tools().dialScrollviewLensPosition()->alpha(), 0);
    EXPECT_EQ(tools().customDrawButtonFocus()->drawFlow(), 0);
    EXPECT_EQ(tools().customDrawButtonExposure()->drawFlow(), 3);

    tools().layoutSubviews();
    expectFrame(tools().customDrawButtonExposure(), CGRectMake(f.exposureXAfterLayout, 5, 47, 47),
                "exposure tab after layout");
}

INSTANTIATE_TEST_SUITE_P(Widths, ToolPage,
                         ::testing::Values(std::make_tuple("iphone5", 320.0),
                                           std::make_tuple("iphone6", 375.0)));

TEST_F(ManualOnHost, TabsOpenOneRulerKindAtATimeAndShowManualControl) {
    launch("iphone6", 0);
    openToolPage();
    auto* focus = tools().customDrawButtonFocus();
    auto* exposure = tools().customDrawButtonExposure();
    tapView(*focus);
    DialScrollview* lens = tools().dialScrollviewLensPosition();
    ASSERT_NE(lens, nullptr);
    EXPECT_TRUE(tools().focusTapSelected());
    // A finger on the ruler puts focus under manual control: the open tab shows 4.
    dragRuler(*lens, -40);
    app_.runFor(1);
    EXPECT_TRUE(tools().isInManualFocusMode());
    EXPECT_EQ(focus->drawFlow(), 4);
    // Switching tabs: focus drops 4 -> 1, exposure opens automatic (3).
    tapView(*exposure);
    EXPECT_EQ(focus->drawFlow(), 1);
    EXPECT_EQ(exposure->drawFlow(), 3);
    EXPECT_FALSE(tools().focusTapSelected());
    EXPECT_TRUE(tools().exposureTapSelected());
    EXPECT_EQ(lens->alpha(), 0);
    EXPECT_EQ(tools().dialScrollviewISO()->alpha(), 1);
    // Tapping the open tab closes it and its rulers.
    tapView(*exposure);
    EXPECT_FALSE(tools().exposureTapSelected());
    EXPECT_EQ(exposure->drawFlow(), 0);
    EXPECT_EQ(tools().dialScrollviewISO()->alpha(), 0);
    EXPECT_EQ(tools().dialScrollviewShutterspeed()->alpha(), 0);
    // The manual flags outlive closing the tabs; only a reset clears them.
    tools().unSelectFocusAndExposureTabs();
    EXPECT_TRUE(tools().isInManualFocusMode());
    tools().resetFocusAndExposureTabs();
    EXPECT_FALSE(tools().isInManualFocusMode());
    EXPECT_FALSE(tools().skipLensPositionObserverCallback());
    EXPECT_EQ(focus->drawFlow(), 0);
}

TEST_F(ManualOnHost, VideoModeCentresAWideIsoRulerAndHasNoShutterRuler) {
    launch("iphone6", 1);
    openToolPage();
    tapView(*tools().customDrawButtonExposure());
    expectFrame(tools().dialScrollviewISO(), CGRectMake(487.5, 40, 150, 45), "video iso");
    EXPECT_EQ(tools().dialScrollviewShutterspeed(), nullptr);
}

}  // namespace
}  // namespace manualtest
