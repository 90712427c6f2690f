#include "capture/WhiteBalance.h"

#include <memory>
#include <string>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "platform/capture/ConfigurationGuards.h"
#include "platform/foundation/Locale.h"
#include "platform/ui/UIControl.h"
#include "tools/CAM_Tools.h"
#include "tools/LumoraHelper.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// The label's text shrinks to this share of its 12-point font before it stops fitting.
constexpr double kMinimumScaleFactor = 0.6923077;

// Upper case by the Unicode rules (the translations are UTF-8, French has accents).
std::string uppercaseString(const std::string& text) {
    icu::UnicodeString u = icu::UnicodeString::fromUTF8(text);
    u.toUpper(icu::Locale::getRoot());
    std::string out;
    u.toUTF8String(out);
    return out;
}

bool firstLanguageIsFrench() {
    const auto languages = NSLocale::preferredLanguages();
    return !languages.empty() && languages.front() == "fr";
}

CGRect labelFrame(const UIView* topBar) {
    if (isTablet()) return CGRectMake(-100, 14, 85, 22);
    const bool french = firstLanguageIsFrench();
    const CGFloat dx = french ? -5 : 0;
    const CGFloat dw = french ? 5 : 0;
    const CGFloat barWidth = topBar != nullptr ? topBar->frame().size.width : 0;
    if (isVideoMode() && isLandscapeOrientation()) {
        return CGRectMake(barWidth - 130 + dx, 10, 75 + dw, 22);
    }
    return CGRectMake(barWidth - 85 + dx, 55.5, 75 + dw, 22);
}

}  // namespace

void toggleWhiteBalance(bool lock) {
    const AVCaptureWhiteBalanceMode target =
        lock ? AVCaptureWhiteBalanceModeLocked
             : AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance;
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    const std::shared_ptr<AVCaptureDevice> device =
        controller != nullptr ? controller->currentDevice() : nullptr;
    if (!device || device->whiteBalanceMode() == target) return;
    // A mode the camera does not offer would be refused; it is not asked for.
    if (!device->isWhiteBalanceModeSupported(target)) return;
    const platform::ConfigurationLock configuration(device.get());
    if (configuration) device->setWhiteBalanceMode(target);
}

void createAndShowWBLabel() {
    TweakState& s = state();
    const std::shared_ptr<CAMTopBar> topBar = s._CAMTopBar.lock();
    const CGRect frame = labelFrame(topBar.get());

    auto label = std::make_shared<CustomTransparentFilledLabel>(frame);
    label->setAlpha(0);
    label->setTextEx(uppercaseString(CAM_Tools::GetResource("WB_LOCK")));
    label->setMinimumScaleFactor(kMinimumScaleFactor);
    label->setAdjustsFontSizeToFitWidth(true);

    if (isTablet()) {
        if (const auto bottomBar = s._CAMBottomBar.lock()) bottomBar->addSubview(label);
    } else {
        if (topBar) topBar->addSubview(label);
        if (isCameraMode()) {
            // Photo mode keeps the interface upright; the label turns with the device.
            const CGFloat barWidth = topBar ? topBar->frame().size.width : 0;
            label->setCenter(isLandscapeOrientation() ? CGPointMake(barWidth - 25, 86.5)
                                                      : CGPointMake(barWidth - 47.5, 66.5));
            label->setTransform(LumoraHelper::getTransformation());
        }
    }
    s.whiteBalanceLockLbl = label;

    UIView::animateWithDuration(
        0.2, 0, UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); }, nullptr);
}

void hideAndDestroyWBLabel() {
    const std::shared_ptr<CustomTransparentFilledLabel> label = state().whiteBalanceLockLbl;
    UIView::animateWithDuration(
        0.15, 0, UIViewAnimationOptionCurveLinear,
        [label] {
            if (label) label->setAlpha(0);
        },
        [label](bool) {
            TweakState& s = state();
            if (label) label->removeFromSuperview();
            // Only the label that was faded out is released.
            if (s.whiteBalanceLockLbl == label) s.whiteBalanceLockLbl.reset();
            if (auto* button = dynamic_cast<UIControl*>(s.modeWBBtn.get())) {
                button->setSelected(false);
            }
            s.canWhiteBalance = true;
        });
}

}  // namespace lumora
