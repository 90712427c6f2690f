// The resolution indicator and the frame-rate badge on the host's bottom bar.

#include "FormatsTestSupport.h"
#include "artwork/Palette.h"
#include "capture/FormatBadges.h"
#include "core/TweakState.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/graphics/Image.h"
#include "tools/CAM_Tools.h"

namespace formatstest {
namespace {

using namespace lumora;

class FormatBadges : public FormatsTest {
protected:
    void setUpModel(const std::string& model, bool zoom = false) {
        useModel(model, zoom);
        addHostViews();
        state().showDimensions = true;
        state().showFPS = true;
        std::weak_ptr<FakeCameraBar> bar = cameraBar_;
        tap_ = [bar](UIGestureRecognizer*) {
            if (auto b = bar.lock()) b->taps++;
        };
    }
    void createDimensionIndicator() { createOrToggleDimensionIndicatorAndLabels(tap_, cameraBar_); }
    void createFrameRateBadge(int mode, int rate) {
        createOrToggleFrameRateLabelsEx(tap_, cameraBar_, mode, rate);
    }
    CustomSlalomIndicatorView* indicator() { return state()._CAMSlalomDimensionIndicator.get(); }
    // Icons of distinct sizes in the resource folder, so the one chosen can be told apart.
    void installIcons() {
        int side = 8;
        for (const char* name : {"indicatorBT", "indicatorWifi", "indicatorHD"}) {
            const std::string path =
                CAM_Tools::resourcePath(std::string("Dimensions/") + name + "@2x.png");
            const auto host = ns::FileSystem::shared().resolve(path);
            std::filesystem::create_directories(host.parent_path());
            auto image = platform::Image::fromRGBA(side, side, 2,
                                                   std::vector<uint8_t>(side * side * 4, 255));
            ASSERT_TRUE(image->writePng(host.string()));
            side += 8;
        }
    }

    UIGestureRecognizer::Action tap_;
};

TEST_F(FormatBadges, DimensionIndicatorIsMadeOnceAndThenShownOrHiddenByTheCameraBar) {
    setUpModel("iphone6");
    state().showDimensions = false;
    createDimensionIndicator();
    EXPECT_FALSE(state().deviceFrameRatesForDimensions.has_value());
    EXPECT_EQ(indicator(), nullptr);

    state().showDimensions = true;
    createDimensionIndicator();
    ASSERT_NE(indicator(), nullptr);
    EXPECT_EQ(state().deviceFrameRatesForDimensions->size(), 9u);
    EXPECT_EQ(indicator()->superview(), bottomBar_.get());
    EXPECT_EQ(indicator()->tag(), kDimensionIndicatorTag);
    EXPECT_EQ(indicator()->indicatorType(), CustomSlalomIndicatorView::kResolution);
    EXPECT_EQ(indicator()->labelText(), "");
    expectFrame(indicator()->frame(), CGRectMake(375.0 / 2 + 70, 48 - 5, 55, 42));
    EXPECT_TRUE(cameraBar_->commands.empty());

    bottomBar_->addSubview(std::make_shared<UIView>());
    CustomSlalomIndicatorView* first = indicator();
    controller_->mode = 0;
    createDimensionIndicator();
    EXPECT_EQ(indicator(), first);
    EXPECT_EQ(bottomBar_->subviews().back().get(), first);
    controller_->mode = 3;
    createDimensionIndicator();
    EXPECT_EQ(cameraBar_->commands, (std::vector<std::pair<int, float>>{{8, 0}, {-7, 0}}));

    // A tap reaches the callback owner.
    indicator()->gestureRecognizers().front()->setState(UIGestureRecognizerStateEnded);
    EXPECT_EQ(cameraBar_->taps, 1);
}

TEST_F(FormatBadges, DimensionIndicatorFramePerScreenClass) {
    setUpModel("iphone6", true);  // zoomed: 320 points wide
    createDimensionIndicator();
    expectFrame(indicator()->frame(), CGRectMake(160 + 50, 43, 55, 42));
    setUpModel("iphone6plus", true);
    createDimensionIndicator();
    expectFrame(indicator()->frame(), CGRectMake(375.0 / 2 + 70, 43, 55, 42));
    setUpModel("iphone5s");
    createDimensionIndicator();
    expectFrame(indicator()->frame(), CGRectMake(160 + 50, 48 - 7, 55, 42));
    setUpModel("ipad2");
    createDimensionIndicator();
    expectFrame(indicator()->frame(), CGRectMake(22, 768.0 / 2 - 110, 55, 42));
}

TEST_F(FormatBadges, ResolutionIconFollowsTheHeight) {
    setUpModel("iphone4s");
    installIcons();
    createDimensionIndicator();
    struct Case {
        int height;
        double iconPoints;
        CGRect frame;
    };
    const Case cases[] = {{360, 4, CGRectMake(19, 2, 13.5, 19.5)},
                          {361, 8, CGRectMake(15, 5, 22.5, 14.5)},
                          {540, 8, CGRectMake(15, 5, 22.5, 14.5)},
                          {541, 12, CGRectMake(15, 5, 22.5, 16.5)}};
    for (const Case& c : cases) {
        assignCurrentDimensionAndSetLabel(c.height);
        EXPECT_EQ(indicator()->labelText(), std::to_string(c.height) + "p");
        ASSERT_NE(indicator()->resolutionImg(), nullptr) << c.height;
        EXPECT_EQ(indicator()->resolutionImg()->size().width, c.iconPoints) << c.height;
        expectFrame(indicator()->resolutionImgFrame(), c.frame);
    }
    EXPECT_EQ(cameraBar_->commands.size(), 4u);

    for (long mode : {2L, 3L}) {
        controller_->mode = mode;
        assignCurrentDimensionAndSetLabel(1080);
        EXPECT_EQ(indicator()->labelText(), "541p");
    }
}

TEST_F(FormatBadges, MissingIconStillSetsTheText) {
    setUpModel("iphone4s");
    createDimensionIndicator();
    assignCurrentDimensionAndSetLabel(720);
    EXPECT_EQ(indicator()->labelText(), "720p");
    EXPECT_EQ(indicator()->resolutionImg(), nullptr);
}

TEST_F(FormatBadges, ReplacementFrameRateBadgeOnDevicesWithoutSlowMotion) {
    setUpModel("iphone4s");
    createDimensionIndicator();
    (*state().deviceFrameRatesForDimensions)[720] = 30;
    state().showFPS = false;
    createFrameRateBadge(1, 24);
    EXPECT_EQ(state()._CAMSlalomIndicatorReplacement, nullptr);
    EXPECT_EQ(state().deviceFrameRatesForDimensions->at(720), 30);

    state().showFPS = true;
    createFrameRateBadge(1, 0);
    EXPECT_EQ(state().deviceFrameRatesForDimensions->at(720), 0);
    auto badge = state()._CAMSlalomIndicatorReplacement;
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->superview(), bottomBar_.get());
    EXPECT_EQ(badge->tag(), kFrameRateBadgeTag);
    EXPECT_EQ(badge->framesPerSecond(), 30);
    expectFrame(badge->frame(), CGRectMake(320 - 53, 48, 44, 42));
    EXPECT_EQ(state()._CAMSlalomIndicatorView, nullptr);

    createFrameRateBadge(0, 24);
    EXPECT_TRUE(badge->isHidden());
    createFrameRateBadge(1, 24);
    EXPECT_FALSE(badge->isHidden());
    EXPECT_EQ(state()._CAMSlalomIndicatorReplacement, badge);

    assignCurrentFrameRateAndSetLabel(0);
    EXPECT_EQ(badge->framesPerSecond(), 30);
    EXPECT_EQ(state().currentFrameRate, 0);
    EXPECT_EQ(state().globalFrameRateTime, 0);
    assignCurrentFrameRateAndSetLabel(25);
    EXPECT_EQ(badge->framesPerSecond(), 25);
}

TEST_F(FormatBadges, HostFrameRateBadgeOnSlowMotionDevices) {
    setUpModel("iphone6");
    createFrameRateBadge(1, 0);  // the host class is not there: nothing is made
    EXPECT_EQ(state()._CAMSlalomIndicatorView, nullptr);

    registerHostSlalomView();
    createFrameRateBadge(1, 0);
    auto* badge = dynamic_cast<FakeHostSlalomView*>(state()._CAMSlalomIndicatorView.get());
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->framesPerSecond, 60);
    EXPECT_EQ(badge->tag(), kFrameRateBadgeTag);
    EXPECT_EQ(badge->superview(), bottomBar_.get());
    expectFrame(badge->frame(), CGRectMake(667 - 53, 48, 44, 42));
    EXPECT_EQ(badge->label->textColor(), UIColor(artwork::kAmber));
    ASSERT_EQ(badge->gestureRecognizers().size(), 1u);
    badge->gestureRecognizers().front()->setState(UIGestureRecognizerStateEnded);
    EXPECT_EQ(cameraBar_->taps, 1);
    EXPECT_EQ(state()._CAMSlalomIndicatorReplacement, nullptr);

    assignCurrentFrameRateAndSetLabel(0);
    EXPECT_EQ(badge->framesPerSecond, 60);
    assignCurrentFrameRateAndSetLabel(120);
    EXPECT_EQ(badge->framesPerSecond, 120);
    createFrameRateBadge(2, 0);
    EXPECT_TRUE(badge->isHidden());
}

TEST_F(FormatBadges, TabletFramesAndTheCentredSelectionFrame) {
    setUpModel("ipad2");
    createFrameRateBadge(1, 30);
    expectFrame(state()._CAMSlalomIndicatorReplacement->frame(),
                CGRectMake(27, 768.0 / 2 + 70, 44, 42));
    // Landscape bounds are swapped; the frames stay in the portrait interface's coordinates.
    for (bool landscape : {false, true}) {
        UIScreen::mainScreen().setInterfaceLandscape(landscape);
        expectFrame(getSlalomDimensionIndicatorFrame(), CGRectMake(22, 768.0 / 2 - 110, 55, 42));
        expectFrame(getSlalomFPSIndicatorFrame(), CGRectMake(27, 768.0 / 2 + 70, 44, 42));
        expectFrame(getDimensionSelectionViewFrame(200, 100), CGRectMake(284, 462, 200, 100));
    }
}

}  // namespace
}  // namespace formatstest
