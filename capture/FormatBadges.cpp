#include "capture/FormatBadges.h"

#include <string>

#include "artwork/Palette.h"
#include "capture/CameraBarLinks.h"
#include "capture/FrameRateModel.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "tools/CAM_Tools.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

CGSize screenSize() {
    return UIScreen::mainScreen().bounds().size;
}

void bringToFront(UIView* view) {
    if (view == nullptr) return;
    if (UIView* parent = view->superview()) parent->bringSubviewToFront(view);
}

// The rate a badge shows for the device's default rate (0).
int shownRate(int rate) {
    if (rate != 0) return rate;
    return state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW ? 60 : 30;
}

CGRect dimensionIndicatorFrame(const UIView& bottomBar) {
    if (isTablet()) return getSlalomDimensionIndicatorFrame();
    const TweakState& s = state();
    const CGSize bar = bottomBar.frame().size;
    if (s.screensize == 2 || s.screensize == 3) {
        // The iPhone 6 screens; the smaller one in zoomed display mode sits nearer the centre.
        const CGFloat d = (s.screensize == 2 && s.screenIsZoomed) ? 50 : 70;
        return CGRectMake(bar.width / 2 + d, bar.height / 2 - 5, 55, 42);
    }
    return CGRectMake(bar.width / 2 + 50, bar.height / 2 - 7, 55, 42);
}

std::shared_ptr<CAMSlalomIndicatorView> makeHostFrameRateBadge(CGRect frame) {
    objc::Class* cls = objc_getClass("CAMSlalomIndicatorView");
    if (cls == nullptr) return nullptr;
    return std::dynamic_pointer_cast<CAMSlalomIndicatorView>(
        objc::sendClass<hostsel::CAMSlalomIndicatorView::initWithFrame>(cls, frame));
}

// Outside video mode (1) a badge already made is hidden; in video mode it is shown again.
// Answers whether the badge is still to be made.
bool showOrHideMadeBadge(UIView* badge, int mode) {
    if (badge != nullptr) badge->setHidden(mode != 1);
    return badge == nullptr && mode == 1;
}

// Slow-motion devices use the host's own badge, coloured like ours.
void createOrToggleHostBadge(const UIGestureRecognizer::Action& callbackSelector,
                             const std::shared_ptr<NSObject>& callbackOwner, int mode, int rate,
                             UIView* bottomBar) {
    auto& badge = state()._CAMSlalomIndicatorView;
    if (!showOrHideMadeBadge(badge.get(), mode) || bottomBar == nullptr) return;
    const CGSize screen = screenSize();
    CGRect frame = isLandscapeOrientation() ? CGRectMake(screen.width - 53, 48, 44, 42)
                                            : CGRectMake(screen.height - 53, 48, 44, 42);
    if (isTablet()) frame = getSlalomFPSIndicatorFrame();
    badge = makeHostFrameRateBadge(frame);
    if (!badge) return;
    badge->setTag(kFrameRateBadgeTag);
    badge->setFramesPerSecond(shownRate(rate));
    if (auto label = badge->_framerateLabel()) label->setTextColor(artwork::kAmber);
    badge->addGestureRecognizer(
        std::make_shared<UITapGestureRecognizer>(callbackOwner, callbackSelector));
    bottomBar->addSubview(badge);
}

void createOrToggleReplacementBadge(const UIGestureRecognizer::Action& callbackSelector,
                                    const std::shared_ptr<NSObject>& callbackOwner, int mode,
                                    int rate, UIView* bottomBar) {
    auto& badge = state()._CAMSlalomIndicatorReplacement;
    if (!showOrHideMadeBadge(badge.get(), mode) || bottomBar == nullptr) return;
    const CGRect frame =
        isTablet() ? getSlalomFPSIndicatorFrame() : CGRectMake(screenSize().width - 53, 48, 44, 42);
    badge = std::make_shared<CustomSlalomIndicatorView>(frame, callbackSelector, callbackOwner);
    badge->setTag(kFrameRateBadgeTag);
    badge->setFramesPerSecond(rate != 0 ? rate : 30);
    bottomBar->addSubview(badge);
}

}  // namespace

ResolutionIcon resolutionIconForHeight(int height) {
    if (height <= 360) return {"Dimensions/indicatorBT@2x.png", CGRectMake(19, 2, 13.5, 19.5)};
    if (height <= 540) return {"Dimensions/indicatorWifi@2x.png", CGRectMake(15, 5, 22.5, 14.5)};
    return {"Dimensions/indicatorHD@2x.png", CGRectMake(15, 5, 22.5, 16.5)};
}

void assignCurrentDimensionAndSetLabel(int height) {
    const long mode = getCameraMode();
    if (mode == 2 || mode == 3) return;
    const ResolutionIcon icon = resolutionIconForHeight(height);
    // Keep the indicator alive through the camera bar's command below.
    const std::shared_ptr<CustomSlalomIndicatorView> indicator =
        state()._CAMSlalomDimensionIndicator;
    if (!indicator) return;
    indicator->setLabelText(std::to_string(height) + "p");
    indicator->setResolutionImgFrame(icon.frame);
    // A missing icon file leaves the badge without a picture; the text still shows.
    indicator->setResolutionImg(
        UIImage::imageWithContentsOfFile(CAM_Tools::resourcePath(icon.file)));
    tellCameraBar(kShowDimensionIndicator, 0);
    bringToFront(indicator.get());
}

void assignCurrentFrameRateAndSetLabel(int rate) {
    TweakState& s = state();
    s.currentFrameRate = rate;
    s.globalFrameRateTime = rate;
    if (s._CAMSlalomIndicatorView) {
        s._CAMSlalomIndicatorView->setFramesPerSecond(shownRate(rate));
    } else if (s._CAMSlalomIndicatorReplacement) {
        s._CAMSlalomIndicatorReplacement->setFramesPerSecond(shownRate(rate));
    }
}

void createOrToggleDimensionIndicatorAndLabels(const UIGestureRecognizer::Action& callbackSelector,
                                               const std::shared_ptr<NSObject>& callbackOwner) {
    TweakState& s = state();
    if (!s.showDimensions) return;
    createFrameRateTableIfMissing();

    const long mode = getCameraMode();
    if (mode == 1 || isCameraModeEx(mode)) {
        if (s._CAMSlalomDimensionIndicator) {
            const auto indicator = s._CAMSlalomDimensionIndicator;
            tellCameraBar(kShowDimensionIndicator, 0);
            bringToFront(indicator.get());
            return;
        }
        // The indicator lives on the host's bottom bar; without one it is made on a later call.
        const std::shared_ptr<CAMBottomBar> bottomBar = s._CAMBottomBar.lock();
        if (!bottomBar) return;
        auto indicator = std::make_shared<CustomSlalomIndicatorView>(
            dimensionIndicatorFrame(*bottomBar), callbackSelector, callbackOwner);
        indicator->setIndicatorType(CustomSlalomIndicatorView::kResolution);
        indicator->setLabelText("");
        indicator->setTag(kDimensionIndicatorTag);
        bottomBar->addSubview(indicator);
        s._CAMSlalomDimensionIndicator = std::move(indicator);
    } else if (s._CAMSlalomDimensionIndicator) {
        tellCameraBar(kHideDimensionIndicator, 0);
    }
}

void createOrToggleFrameRateLabelsEx(const UIGestureRecognizer::Action& callbackSelector,
                                     const std::shared_ptr<NSObject>& callbackOwner, int mode,
                                     int rate) {
    TweakState& s = state();
    if (!s.showFPS) return;
    emptyMaxFrameRatesForHeightVariables();
    const std::shared_ptr<CAMBottomBar> bottomBar = s._CAMBottomBar.lock();
    if (s.DEVICE_SUPPORTS_SLOMO) {
        createOrToggleHostBadge(callbackSelector, callbackOwner, mode, rate, bottomBar.get());
    } else {
        createOrToggleReplacementBadge(callbackSelector, callbackOwner, mode, rate,
                                       bottomBar.get());
    }
}

CGRect getSlalomDimensionIndicatorFrame() {
    const CGSize screen = screenSize();
    const CGFloat side = isLandscapeOrientation() ? screen.height : screen.width;
    return CGRectMake(22, side / 2 - 110, 55, 42);
}

CGRect getSlalomFPSIndicatorFrame() {
    const CGSize screen = screenSize();
    const CGFloat side = isLandscapeOrientation() ? screen.height : screen.width;
    return CGRectMake(27, side / 2 + 70, 44, 42);
}

CGRect getDimensionSelectionViewFrame(CGFloat w, CGFloat h) {
    const CGSize screen = screenSize();
    if (isLandscapeOrientation()) {
        return CGRectMake(screen.height / 2 - w / 2, screen.width / 2 - h / 2, w, h);
    }
    return CGRectMake(screen.width / 2 - w / 2, screen.height / 2 - h / 2, w, h);
}

}  // namespace lumora
