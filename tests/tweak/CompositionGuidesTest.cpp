// The composition guides: the guide page on the camera bar's strip, choosing and switching off a
// guide, the stored choice and its restore at start-up, and the guide's lines on screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "artwork/CustomDrawButton.h"
#include "camerabar/CameraBarView.h"
#include "core/Preferences.h"
#include "core/TopBarCompanions.h"
#include "core/TweakState.h"
#include "overlays/GuideGeometry.h"
#include "overlays/GuidePageHost.h"
#include "overlays/OverlayDrawView.h"
#include "overlays/OverlaySelectionController.h"
#include "platform/device/Device.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/PropertyList.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceRoot.h"
#include "tests/support/FakeCaptureController.h"
#include "tools/CAM_Tools.h"

namespace {

using namespace lumora;

class FakePreview : public CAMPreviewView {
public:
    void _setShowExposureBiasSlider(bool) override {}
    void showContinuousAutoFocusView() override {}
    CGPoint currentFocusPoint() const override { return {}; }
    CGRect lastExposureFrame() const override { return {}; }
    CGRect lastFocusFrame() const override { return {}; }
};

class CompositionGuides : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testsupport::makeDeviceRoot("lumora-guides");
        ASSERT_FALSE(root_.empty());
        start(375, 667);
    }
    void TearDown() override {
        testsupport::endProcess();
        testsupport::setSharedCaptureController(nullptr);
        platform::Device::reset();
        testsupport::removeDeviceRoot(root_);
    }
    // A phone of the given screen, the host's preview, and a camera bar view whose strip holds a
    // mode button of tag 1 on its first page.
    void start(CGFloat w, CGFloat h) {
        platform::DeviceConfig config = platform::Device::config();
        config.screenBounds = CGRectMake(0, 0, w, h);
        platform::Device::configure(config);
        testsupport::launchProcess("com.apple.camera");
        testsupport::registerSharedCaptureController(&controller_);
        preview_ = std::make_shared<FakePreview>();
        preview_->setFrame(CGRectMake(0, 40, w, h - 136));
        state()._CAMPreviewView = preview_;
        barView_ = CameraBarView::initWithFrame(CGRectMake(-w, h - 161, w, 65), nullptr, nullptr);
        strip_ = barView_->scrollview;
        strip_->setContentSize(CGSizeMake(2 * w, 65));
        modeButton_ = std::make_shared<CustomDrawButton>(CGRectMake(10, 0, 47, 47));
        modeButton_->setTag(1);
        modeButton_->setSelected(true);
        strip_->addSubview(modeButton_);
        state()._cameraButtonView = barView_;
        state().showOverlays = true;
    }
    OverlaySelectionController& guides() {
        return *dynamic_cast<OverlaySelectionController*>(state().overlaySelectionController.get());
    }
    UIControl* guideButton(long tag) {
        for (const auto& sub : guides().guidePage()->subviews()) {
            if (sub->tag() == tag) return dynamic_cast<UIControl*>(sub.get());
        }
        return nullptr;
    }
    std::vector<long> selectedGuides() {
        std::vector<long> out;
        for (long tag = 1; tag <= 4; ++tag) {
            if (guideButton(tag)->isSelected()) out.push_back(tag);
        }
        return out;
    }
    void create() {
        CreateOverlayIndicator([](UIControl*, UIEvent*) {}, nullptr);
    }

    std::filesystem::path root_;
    testsupport::FakeCaptureController controller_;
    std::shared_ptr<FakePreview> preview_;
    std::shared_ptr<CameraBarView> barView_;
    std::shared_ptr<UIScrollView> strip_;
    std::shared_ptr<CustomDrawButton> modeButton_;
};

TEST_F(CompositionGuides, PageOnTheThirdPageAt320And375Points) {
    struct Expected {
        CGFloat width;
        CGFloat x0;
        CGFloat step;
    };
    for (const Expected e : {Expected{375, 46, 75}, Expected{320, 41, 64}}) {
        SCOPED_TRACE(e.width);
        testsupport::endProcess();
        start(e.width, 568);
        create();
        UIView* page = guides().guidePage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->frame(), CGRectMake(2 * e.width, 0, e.width, 65));
        EXPECT_EQ(page->tag(), kGuidePageTag);
        EXPECT_EQ(strip_->contentSize().width, 3 * e.width);
        // Golden, trisection, thirds, square from left to right, captions under them.
        const long order[] = {2, 3, 1, 4};
        const CGFloat captionShift[] = {2, 8, 6, 4};
        const char* captions[] = {"Golden", "Trisec", "Thirds", "Square"};
        for (int column = 0; column < 4; ++column) {
            const long tag = order[column];
            const CGFloat x = e.x0 + column * e.step;
            EXPECT_EQ(guideButton(tag)->frame(), CGRectMake(x, 0, 60, 70)) << tag;
            auto* label = dynamic_cast<UILabel*>(page->viewWithTag(tag + 10));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->frame(), CGRectMake(x + captionShift[column], 43, 55, 15));
            EXPECT_EQ(label->text(), captions[column]);
        }
    }
}

TEST_F(CompositionGuides, ChoosingSwitchingAndSwitchingOffLeavesTheModeButtonsAlone) {
    controller_.mode = 0;
    create();
    struct Step {
        int tap;
        long mode;
        long drawTag;
        std::vector<long> selected;
    };
    const Step steps[] = {
        {2, 1, 2, {2}},  // golden
        {2, 0, -1, {}},  // golden again: off
        {2, 1, 2, {2}},  // golden
        {1, 2, 1, {1}},  // thirds straight from golden
        {3, 3, 3, {3}},  // trisection
        {4, 4, 4, {4}},  // square
        {0, 0, -1, {}},  // none
    };
    for (const Step& s : steps) {
        guides().setOverlayIndicatorImg(s.tap, false);
        EXPECT_EQ(state().sessionOverlayMode, s.mode) << s.tap;
        EXPECT_EQ(state().globOverlayMode, s.mode);
        EXPECT_EQ(guides().overlayDrawView()->tag(), s.drawTag);
        EXPECT_EQ(selectedGuides(), s.selected);
        // Tag 1 of the first page is a mode button, not a guide.
        EXPECT_TRUE(modeButton_->isSelected());
    }
    // The drawing covers the preview, at the top in photo mode.
    EXPECT_EQ(guides().overlayDrawView()->superview(), preview_.get());
    EXPECT_EQ(guides().overlayDrawView()->frame(), CGRectMake(0, 0, 375, 667 - 136));
}

TEST_F(CompositionGuides, EachGuideIsStoredAndComesBackAtLaunch) {
    state().rememberSettings = true;
    controller_.mode = 0;
    create();
    const std::pair<int, long> choices[] = {{1, 2}, {2, 1}, {3, 3}, {4, 4}};
    for (const auto& [tag, mode] : choices) {
        state().sessionOverlayMode = 0;
        guides().setOverlayIndicatorImg(tag, false);
        const auto saved =
            ns::readDictionaryFile("/var/mobile/Library/Preferences/com.orvane.Lumora3.plist");
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(CAM_Tools::intForKey("overlayMode", -1, &*saved), mode) << tag;

        // A new launch reads the file and re-applies the guide without toggling it.
        testsupport::endProcess();
        start(375, 667);
        LoadPrefs();
        state().showOverlays = true;
        create();
        EXPECT_EQ(state().sessionOverlayMode, mode);
        EXPECT_EQ(guides().overlayDrawView()->tag(), tag);
        EXPECT_EQ(selectedGuides(), std::vector<long>{tag});
        state().rememberSettings = true;
    }
}

TEST_F(CompositionGuides, PageComesAndGoesWithPhotoModesAndTheStripNeverOverscrolls) {
    controller_.mode = 0;
    create();
    guides().setOverlayIndicatorImg(1, false);
    strip_->setContentOffset(CGPointMake(2 * 375, 0));

    CGRect taller = strip_->frame();
    taller.size.height = 110;  // the strip as it is while a ruler shows
    strip_->setFrame(taller);
    controller_.mode = 1;  // video: no guide page
    create();
    EXPECT_EQ(strip_->contentSize(), CGSizeMake(2 * 375, 110));
    EXPECT_EQ(strip_->contentOffset().x, 375);
    EXPECT_TRUE(guides().overlayDrawView()->isHidden());

    controller_.mode = 6;
    create();
    EXPECT_EQ(strip_->contentSize().width, 3 * 375);
    EXPECT_FALSE(guides().overlayDrawView()->isHidden());
    EXPECT_EQ(selectedGuides(), std::vector<long>{1});
    EXPECT_EQ(guides().overlayDrawView()->tag(), 1);

    state().showOverlays = false;
    state().overlaySelectionController.reset();
    create();
    EXPECT_EQ(state().overlaySelectionController, nullptr);
    EXPECT_EQ(preview_->subviews().size(), 0u);  // the drawing left with its controller
}

TEST(OverlayIndicatorImage, StoredModesMapToImagesWithOneAndTwoSwapped) {
    const std::pair<long, int> cases[] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {4, 4}, {5, 0}, {-1, 0}};
    for (const auto& [mode, image] : cases) EXPECT_EQ(overlayIndicatorImageForMode(mode), image);
}

TEST(GuideDrawing, ThirdsLinesFollowTheScreensDesignScale) {
    struct Case {
        long screensize;
        bool zoomed;
        CGFloat width;
        CGFloat height;
    };
    for (const Case c :
         {Case{0, false, 320, 480}, Case{1, false, 320, 568}, Case{2, false, 375, 667},
          Case{2, true, 320, 568}, Case{3, false, 414, 736}, Case{3, true, 375, 667}}) {
        SCOPED_TRACE(c.screensize * 10 + c.zoomed);
        state().screensize = c.screensize;
        state().screenIsZoomed = c.zoomed;
        const CGFloat s = guideDesignScale(c.screensize, c.zoomed);
        auto view = std::make_shared<OverlayDrawView>(CGRectMake(0, 0, c.width, c.height));
        view->setTag(kGuideThirds);
        platform::RenderOptions options;
        options.size = CGSizeMake(c.width, c.height);
        options.scale = 2;
        options.background = platform::Color::clear();
        auto root = std::make_shared<UIView>(CGRectMake(0, 0, c.width, c.height));
        root->addSubview(view);
        const auto bitmap = platform::ScreenRenderer::render(*root, options);
        // Zoomed screens keep the design scale 3.0, which puts the right-hand line off a
        // 320-point screen: only lines inside the view can show.
        auto expectLinesAt = [](const std::vector<double>& inkAt, std::vector<double> lines,
                                double extent) {
            std::erase_if(lines, [extent](double p) { return p > extent; });
            for (double p : inkAt) {
                EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                        [p](double l) { return std::fabs(p - l) <= 2; }))
                    << "ink at " << p;
            }
            for (double l : lines) {
                EXPECT_TRUE(std::any_of(inkAt.begin(), inkAt.end(),
                                        [l](double p) { return std::fabs(p - l) <= 2; }))
                    << "no line at " << l;
            }
        };
        // A scan line clear of the horizontal lines crosses the verticals only, and a column
        // clear of the verticals crosses the horizontals only.
        std::vector<double> xs, ys;
        for (int x = 0; x < bitmap->pixelWidth(); ++x) {
            if (bitmap->pixel(x, 80).a > 0.3) xs.push_back(x / 2.0);
        }
        for (int y = 0; y < bitmap->pixelHeight(); ++y) {
            if (bitmap->pixel(40, y).a > 0.3) ys.push_back(y / 2.0);
        }
        expectLinesAt(xs, {513 / s, 1027 / s}, c.width);
        expectLinesAt(ys, {682 / s, 1366 / s}, c.height);
    }
    state().screensize = 0;
    state().screenIsZoomed = false;
}

TEST(GuideDrawing, EveryGuideDrawsInsideItsViewAndNoneDrawsNothing) {
    const CGFloat s = 4.8;
    for (int tag = 1; tag <= 4; ++tag) {
        for (const GuideStroke& stroke : guideStrokes(tag)) {
            for (CGPoint p : stroke.points) {
                EXPECT_GE(p.x / s, -1) << tag;
                EXPECT_LE(p.x / s, 1536 / s + 1) << tag;
                EXPECT_GE(p.y / s, -1) << tag;
                EXPECT_LE(p.y / s, 2048 / s + 1) << tag;
            }
        }
    }
    EXPECT_EQ(guideStrokes(2).size(), 8u + 13u);  // eight rectangles, thirteen spiral turns
    EXPECT_TRUE(guideStrokes(-1).empty());
    EXPECT_TRUE(guideStrokes(5).empty());
}

}  // namespace
