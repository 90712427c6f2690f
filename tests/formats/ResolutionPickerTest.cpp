// The resolution picker: which heights it offers on each phone, camera and mode, how it lays
// them out, and what a picked height does to the capture device.

#include <map>
#include <string>
#include <vector>

#include "FormatsTestSupport.h"
#include "camerabar/ResolutionPicking.h"
#include "capture/DimensionRules.h"
#include "capture/FrameRateModel.h"
#include "core/CompanionHooks.h"
#include "core/CompanionSteps.h"
#include "core/TweakState.h"
#include "overlays/CustomDimensionView.h"
#include "overlays/CustomDimensionViewButton.h"
#include "overlays/NumericComparison.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UILabel.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceRoot.h"
#include "tools/CKBlurView.h"

namespace formatstest {
namespace {

using namespace lumora;

struct Offer {
    std::vector<int> heights;
    CGFloat panelHeight;
    bool operator==(const Offer&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Offer& o) {
    os << "{";
    for (int h : o.heights) os << h << " ";
    return os << "} " << o.panelHeight;
}

class ResolutionPicker : public FormatsTest {
protected:
    void SetUp() override {
        FormatsTest::SetUp();
        ASSERT_TRUE(testsupport::installResources());
    }
    Offer offerFor(long mode, long camera) {
        controller_->mode = mode;
        controller_->useCamera(camera);
        createFrameRateTableIfMissing();
        getDimensions(false);
        const auto heights =
            offeredHeights(dimensionDictionary(*state().deviceFrameRatesForDimensions));
        return {heights, dimensionPanelHeight(heights.size())};
    }
    static std::vector<CGRect> buttonFrames(const UIView& panel) {
        std::vector<CGRect> out;
        for (const auto& sub : panel.subviews()) {
            if (dynamic_cast<CustomDimensionViewButton*>(sub.get()) != nullptr) {
                out.push_back(sub->frame());
            }
        }
        return out;
    }
    static std::vector<long> buttonTags(const UIView& panel) {
        std::vector<long> out;
        for (const auto& sub : panel.subviews()) {
            if (dynamic_cast<CustomDimensionViewButton*>(sub.get()) != nullptr) {
                out.push_back(sub->tag());
            }
        }
        return out;
    }
};

TEST_F(ResolutionPicker, OffersPerPhoneCameraAndModeAsWholeTables) {
    // Photo 0 / video 1, back 0 / front 1.
    using Key = std::pair<long, long>;
    const std::map<std::string, std::map<Key, Offer>> expected = {
        {"iphone6",
         {{{1, 0}, {{144, 288, 480, 540, 720, 1080}, 170}},
          {{0, 0}, {{144, 288, 480, 540, 720, 1080, 1936, 2448}, 230}},
          {{1, 1}, {{144, 288, 480, 540, 720}, 170}},
          {{0, 1}, {{144, 288, 480, 540, 720, 960}, 170}}}},
        // A VGA front camera; no 1936 on the back.
        {"iphone4s",
         {{{1, 0}, {{144, 288, 480, 540, 720, 1080}, 170}},
          {{0, 0}, {{144, 288, 480, 540, 720, 1080, 2448}, 230}},
          {{1, 1}, {{144, 480}, 170}},
          {{0, 1}, {{144, 480}, 170}}}},
        {"iphone5s",
         {{{1, 0}, {{144, 288, 480, 540, 720, 1080}, 170}},
          {{0, 0}, {{144, 288, 480, 540, 720, 1080, 2448}, 230}},
          {{1, 1}, {{144, 480, 720}, 170}},
          {{0, 1}, {{144, 480, 720, 960}, 170}}}},
        {"iphone6plus",
         {{{1, 0}, {{144, 288, 480, 540, 720, 1080}, 170}},
          {{0, 0}, {{144, 288, 480, 540, 720, 1080, 1936, 2448}, 230}},
          {{1, 1}, {{144, 288, 480, 540, 720}, 170}},
          {{0, 1}, {{144, 288, 480, 540, 720, 960}, 170}}}},
        // A 1936-line back camera.
        {"ipod5",
         {{{1, 0}, {{144, 480, 720, 1080}, 170}},
          {{0, 0}, {{144, 480, 720, 1080, 1936}, 170}},
          {{1, 1}, {{144, 480, 720}, 170}},
          {{0, 1}, {{144, 480, 720, 960}, 170}}}},
    };
    for (const auto& [model, table] : expected) {
        useModel(model);
        std::map<Key, Offer> actual;
        for (const auto& [key, offer] : table) actual[key] = offerFor(key.first, key.second);
        EXPECT_EQ(actual, table) << model;
        testsupport::endProcess();
    }
}

TEST_F(ResolutionPicker, ButtonsSortNumericallyWhateverTheKeysKindThreeToARow) {
    useModel("iphone6");
    controller_->mode = 0;  // photo on the back camera allows every height up to 2448
    const DimensionDictionary offer = {
        {ns::Value("1080"), ns::Value(30)},  {ns::Value(480), ns::Value(30)},
        {ns::Value("720"), ns::Value("60")}, {ns::Value(240), ns::Value(30)},
        {ns::Value(360), ns::Value(0)},    // not offered
        {ns::Value("x"), ns::Value(30)}};  // height 0: invalid
    EXPECT_EQ(offeredHeights(offer), (std::vector<int>{240, 480, 720, 1080}));
    EXPECT_EQ(intCompare(ns::Value("720"), ns::Value(1080)), NSOrderedAscending);
    EXPECT_EQ(intCompare(ns::Value(1080), ns::Value("720")), NSOrderedDescending);
    EXPECT_EQ(intCompare(ns::Value("720"), ns::Value(720.0)), NSOrderedSame);

    auto panel = CustomDimensionView::create(CGRectZero);
    panel->initButtons(offer, nullptr, [](UIGestureRecognizer*) {});
    EXPECT_EQ(buttonTags(*panel), (std::vector<long>{240, 480, 720, 1080}));
    EXPECT_EQ(buttonFrames(*panel),
              (std::vector<CGRect>{CGRectMake(15, 30, 55, 42), CGRectMake(95, 30, 55, 42),
                                   CGRectMake(175, 30, 55, 42), CGRectMake(15, 95, 55, 42)}));
    auto* b720 = dynamic_cast<UIView*>(panel->getButtonWithTag(720));
    ASSERT_NE(b720, nullptr);
    auto* label = dynamic_cast<UILabel*>(b720->subviews().back().get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "720p");
    EXPECT_EQ(dimensionButtonPicture(360).file, std::string("Dimensions/indicatorBT@2x.png"));
    EXPECT_EQ(dimensionButtonPicture(540).file, std::string("Dimensions/indicatorWifi@2x.png"));
    EXPECT_EQ(dimensionButtonPicture(541).file, std::string("Dimensions/indicatorHD2@2x.png"));
}

TEST_F(ResolutionPicker, TenHeightsGetAFourthRowInsideAGrownPanel) {
    useModel("iphone6");
    controller_->mode = 0;
    DimensionDictionary offer;
    for (int h : {144, 240, 288, 360, 480, 540, 720, 960, 1080, 1936}) {
        offer.push_back({ns::Value(h), ns::Value(30)});
    }
    state().blurButtonBar = true;
    auto panel = CustomDimensionView::create(CGRectZero);
    panel->fadeInDimensionView(0, nullptr, offer, nullptr, [](UIGestureRecognizer*) {});
    platform::RunLoop::main().runFor(0.2);
    EXPECT_EQ(panel->frame().size, CGSizeMake(250, 295));
    const auto frames = buttonFrames(*panel);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames.back(), CGRectMake(15, 225, 55, 42));
    for (const CGRect& f : frames) EXPECT_LE(CGRectGetMaxY(f), panel->bounds().size.height);
    // The backdrop lies inside the panel: at its origin, whatever the panel's place on screen.
    ASSERT_NE(panel->blur(), nullptr);
    EXPECT_NE(panel->frame().origin.y, 0);
    EXPECT_EQ(panel->blur()->frame(), CGRectMake(0, 0, 250, 295));
    EXPECT_EQ(panel->blur()->tag(), 1001);
    EXPECT_EQ(dimensionPanelHeight(0), 170);
    EXPECT_EQ(dimensionPanelHeight(6), 170);
    EXPECT_EQ(dimensionPanelHeight(7), 230);
    EXPECT_EQ(dimensionPanelHeight(9), 230);
    EXPECT_EQ(dimensionPanelHeight(13), 360);
}

TEST_F(ResolutionPicker, AHideDuringTheFadeInWinsAndLeavesNoButtons) {
    useModel("iphone6");
    auto panel = CustomDimensionView::create(CGRectZero);
    const DimensionDictionary offer = {{ns::Value(720), ns::Value(30)}};
    int shown = 0, hidden = 0;
    panel->fadeInDimensionView(
        0, [&] { ++shown; }, offer, nullptr, [](UIGestureRecognizer*) {});
    EXPECT_TRUE(panel->isFadingIn());
    platform::RunLoop::main().runFor(0.05);
    panel->fadeOutDimensionView(0, [&] { ++hidden; });
    EXPECT_FALSE(panel->isFadingIn());
    platform::RunLoop::main().runFor(0.5);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(hidden, 1);
    EXPECT_TRUE(buttonFrames(*panel).empty());
    EXPECT_EQ(panel->alpha(), 0);

    // Undisturbed, the fade-in reports and builds its buttons; the fade-out takes them at once.
    panel->fadeInDimensionView(
        0, [&] { ++shown; }, offer, nullptr, [](UIGestureRecognizer*) {});
    platform::RunLoop::main().runFor(0.2);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(buttonTags(*panel), std::vector<long>{720});
    panel->fadeOutDimensionView(0, nullptr);
    EXPECT_TRUE(buttonFrames(*panel).empty());
}

TEST_F(ResolutionPicker, PickedHeightSwitchesTheFormatAndBadgeAt30WhenNoRateIsInForce) {
    useModel("iphone6");
    addHostViews();
    controller_->mode = 1;
    state().currentFrameRate = 0;
    EXPECT_EQ(frameRateForPickedHeight(), 30);
    ASSERT_TRUE(applyPickedHeight(720));
    EXPECT_EQ(formatHeight(device().activeFormat().get()), 720);
    EXPECT_EQ(device().activeVideoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(device().activeVideoMaxFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(state().currentFrameRate, 30);

    // 60 fps in force: 1080 offers 60, 540 does not and falls back to 30.
    state().currentFrameRate = 60;
    ASSERT_TRUE(applyPickedHeight(1080));
    EXPECT_EQ(device().activeVideoMinFrameDuration(), CMTimeMake(1, 60));
    ASSERT_TRUE(applyPickedHeight(540));
    EXPECT_EQ(formatHeight(device().activeFormat().get()), 540);
    EXPECT_EQ(device().activeVideoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(state().currentFrameRate, 30);

    // A button left over from photo mode: video on the back camera stops at 1080.
    EXPECT_FALSE(applyPickedHeight(2448));
    EXPECT_EQ(formatHeight(device().activeFormat().get()), 540);
    EXPECT_FALSE(applyPickedHeight(0));
}

TEST_F(ResolutionPicker, SessionPresetsFollowTheRememberedHeights) {
    useModel("iphone6");
    state().rememberFPSSettings = true;
    auto video = [&](long camera) {
        controller_->useCamera(camera);
        return hooks::CAMCaptureController__videoModeSessionPresetForDevice_options(
            controller_.get(), "", camera, 0);
    };
    auto photo = [&](long mode, long camera) {
        controller_->useCamera(camera);
        return hooks::CAMCaptureController__photoModeSessionPresetForMode_device(controller_.get(),
                                                                                 "", mode, camera);
    };
    const std::pair<int, std::string> videoPresets[] = {
        {0, "AVCaptureSessionPresetHigh"},
        {1080, "AVCaptureSessionPresetHigh"},
        {720, "AVCaptureSessionPresetiFrame1280x720"},
        {540, "AVCaptureSessionPresetiFrame960x540"},
        {480, "AVCaptureSessionPreset640x480"},
        {288, "AVCaptureSessionPreset352x288"},
        {144, "AVCaptureSessionPresetLow"},
        {777, "AVCaptureSessionPresetHigh"}};
    for (const auto& [height, preset] : videoPresets) {
        state().currentDimensionHeightVideoBack = height;
        EXPECT_EQ(video(0), preset) << height;
    }
    const std::pair<int, std::string> photoPresets[] = {
        {0, "AVCaptureSessionPresetPhoto"},           {1936, "AVCaptureSessionPreset1920x1080"},
        {1080, "AVCaptureSessionPreset1920x1080"},    {720, "AVCaptureSessionPreset1280x720"},
        {540, "AVCaptureSessionPresetiFrame960x540"}, {480, "AVCaptureSessionPreset640x480"},
        {144, "AVCaptureSessionPresetLow"},           {2448, "AVCaptureSessionPresetPhoto"}};
    controller_->mode = 0;
    for (const auto& [height, preset] : photoPresets) {
        state().currentDimensionHeightPhotoBack = height;
        EXPECT_EQ(photo(0, 0), preset) << height;
    }
    // The front camera keeps its own heights; a preset it cannot take falls back.
    state().currentDimensionHeightVideoFront = 720;
    state().currentDimensionHeightPhotoFront = 1080;
    EXPECT_EQ(video(1), "AVCaptureSessionPresetiFrame1280x720");
    EXPECT_EQ(photo(0, 1), "AVCaptureSessionPresetPhoto");
    EXPECT_EQ(photoSessionPresetForHeight(1936), std::string("AVCaptureSessionPresetHigh"));
}

}  // namespace
}  // namespace formatstest
