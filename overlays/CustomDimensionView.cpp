#include "overlays/CustomDimensionView.h"

#include <algorithm>

#include "capture/DimensionRules.h"
#include "capture/FormatBadges.h"
#include "overlays/CustomDimensionViewButton.h"
#include "overlays/NumericComparison.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/CAFilter.h"
#include "platform/ui/UIImageView.h"
#include "tools/CAM_Tools.h"
#include "tools/CKBlurView.h"
#include "tools/LumoraHelper.h"

namespace lumora {
namespace {

constexpr long kBlurTag = 1001;

bool isOffered(const DimensionEntry& entry) {
    const int rate = (entry.maxFrameRate.isNumber() || entry.maxFrameRate.isString())
                         ? entry.maxFrameRate.intValue().value_or(0)
                         : 0;
    const int height = intValueOfKey(entry.height);
    return rate > 0 && height > 0 && isValidDimension(height);
}

}  // namespace

DimensionDictionary dimensionDictionary(const FrameRateTable& table) {
    DimensionDictionary out;
    for (const auto& [height, rate] : table) out.push_back({ns::Value(height), ns::Value(rate)});
    return out;
}

std::vector<int> offeredHeights(const DimensionDictionary& dictionary) {
    std::vector<ns::Value> keys;
    for (const DimensionEntry& e : dictionary) {
        if (isOffered(e)) keys.push_back(e.height);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const ns::Value& a, const ns::Value& b) {
        return intCompare(a, b) == NSOrderedAscending;
    });
    std::vector<int> heights;
    for (const ns::Value& k : keys) heights.push_back(intValueOfKey(k));
    return heights;
}

CGFloat dimensionPanelHeight(std::size_t buttonCount) {
    const std::size_t rows = (buttonCount + 2) / 3;
    if (rows <= 2) return 170;
    return 230 + 65 * static_cast<CGFloat>(rows - 3);
}

std::shared_ptr<CustomDimensionView> CustomDimensionView::create(CGRect frame) {
    auto view = std::make_shared<CustomDimensionView>(frame);
    std::weak_ptr<CustomDimensionView> weak = view;
    NSNotificationCenter::defaultCenter().addObserver(UIDeviceOrientationDidChangeNotification,
                                                      std::weak_ptr<const void>(view),
                                                      [weak](const ns::Dictionary&) {
                                                          if (auto v = weak.lock()) v->didRotate();
                                                      });
    return view;
}

CustomDimensionView::CustomDimensionView(CGRect frame) : UIView(frame) {
    layer().setCornerRadius(25);
    layer().setMasksToBounds(true);
    setBackgroundColor(UIColor::clearColor());
}

CustomDimensionView::~CustomDimensionView() {
    NSNotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
    removeAllButtonsAndImageView();
    if (blur_) blur_->removeFromSuperview();
    if (nonBlur_) nonBlur_->removeFromSuperview();
}

void CustomDimensionView::fadeInDimensionView(int, Finished finished,
                                              const DimensionDictionary& dictionary,
                                              const std::shared_ptr<NSObject>& owner,
                                              UIGestureRecognizer::Action btnCallback) {
    const CGFloat height = dimensionPanelHeight(offeredHeights(dictionary).size());
    setFrame(getDimensionSelectionViewFrame(kDimensionPanelWidth, height));
    const CGRect backdrop = CGRectMake(0, 0, kDimensionPanelWidth, height);
    if (state().blurButtonBar) {
        if (UIView* b = viewWithTag(kBlurTag); b != nullptr && b != this) b->setFrame(backdrop);
    } else if (nonBlur_) {
        nonBlur_->setFrame(backdrop);
    }

    const std::uint64_t generation = ++fadeGeneration_;
    fadingIn_ = true;
    std::weak_ptr<CustomDimensionView> weak =
        std::static_pointer_cast<CustomDimensionView>(shared_from_this());
    std::weak_ptr<NSObject> weakOwner = owner;
    UIView::animateWithDuration(
        0.1, 0, 0, [this] { setAlpha(1); },
        [weak, generation, finished = std::move(finished), dictionary, weakOwner,
         btnCallback = std::move(btnCallback)](bool) {
            auto self = weak.lock();
            // A hide asked for during the fade-in wins: no buttons, no "shown" report.
            if (!self || self->fadeGeneration_ != generation) return;
            if (finished) finished();
            self->initButtons(dictionary, weakOwner.lock(), btnCallback);
        });
}

void CustomDimensionView::fadeOutDimensionView(int, Finished finished) {
    removeAllButtonsAndImageView();
    const std::uint64_t generation = ++fadeGeneration_;
    fadingIn_ = false;
    std::weak_ptr<CustomDimensionView> weak =
        std::static_pointer_cast<CustomDimensionView>(shared_from_this());
    UIView::animateWithDuration(
        0.1, 0, 0, [this] { setAlpha(0); },
        [weak, generation, finished = std::move(finished)](bool) {
            auto self = weak.lock();
            if (!self || self->fadeGeneration_ != generation) return;
            if (finished) finished();
        });
}

void CustomDimensionView::initButtons(const DimensionDictionary& dictionary,
                                      const std::shared_ptr<NSObject>& owner,
                                      const UIGestureRecognizer::Action& btnCallback) {
    removeAllButtonsAndImageView();
    CGFloat x = 15, y = 30;
    int column = 0;
    for (const int height : offeredHeights(dictionary)) {
        addSubview(std::make_shared<CustomDimensionViewButton>(CGRectMake(x, y, 55, 42), owner,
                                                               btnCallback, height));
        x += 55 + 25;
        if (++column == 3) {
            column = 0;
            x = 15;
            y += 65;
        }
    }
    for (const auto& sub : subviews()) {
        if (dynamic_cast<UIImageView*>(sub.get()) != nullptr) sub->setAlpha(0.8);
    }
    setBlur();
}

UIView* CustomDimensionView::getButtonWithTag(int tag) {
    return viewWithTag(tag);
}

void CustomDimensionView::removeButtonWithTag(int tag) {
    for (const auto& sub : subviews()) {
        if (sub->tag() == tag) {
            sub->removeFromSuperview();
            return;
        }
    }
}

void CustomDimensionView::removeAllButtonsAndImageView() {
    const std::vector<std::shared_ptr<UIView>> children = subviews();
    for (const auto& sub : children) {
        if (dynamic_cast<CustomDimensionViewButton*>(sub.get()) != nullptr) {
            sub->removeFromSuperview();
        }
    }
}

void CustomDimensionView::setBlur() {
    // The backdrop lies inside the panel, so it takes the panel's bounds, not its frame.
    if (state().blurButtonBar) {
        if (!blur_) {
            blur_ = CAM_Tools::CreateAndConfigureBlurView(bounds());
            blur_->setBlurRadius(20);
            auto tint = CAFilter::filterWithName(kCAFilterColorAdd);
            tint->setValue("inputColor", std::vector<double>{0.35, 0.35, 0.35, 1.0});
            blur_->setTintColorFilter(tint);
            insertSubview(blur_, 0);
        }
    } else if (!nonBlur_) {
        nonBlur_ = std::make_shared<UIView>(bounds());
        nonBlur_->setBackgroundColor(UIColor::colorWithWhite(0.667, 1.0));
        nonBlur_->setAlpha(0.5);
        insertSubview(nonBlur_, 0);
    }
}

void CustomDimensionView::didRotate() {
    const UIDeviceOrientation o = UIDevice::currentDevice().orientation();
    if (o == UIDeviceOrientationFaceUp || o == UIDeviceOrientationFaceDown) return;
    const CGRect screen = UIScreen::mainScreen().bounds();
    const CGFloat w = std::min(screen.size.width, screen.size.height);
    const CGFloat h = std::max(screen.size.width, screen.size.height);
    CGPoint centre = CGPointMake(w / 2, h / 2);
    if (o == UIDeviceOrientationLandscapeLeft) centre = CGPointMake(h / 2, w / 2 - 30);
    if (o == UIDeviceOrientationLandscapeRight) centre = CGPointMake(h / 2 + 50, w / 2 - 50);
    setCenter(centre);
    const CGAffineTransform t = LumoraHelper::getTransformation(static_cast<int>(o));
    UIView::animateWithDuration(0.4, [this, t] { setTransform(t); });
}

}  // namespace lumora
