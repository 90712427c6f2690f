#include "manual/DialScrollview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/TweakState.h"
#include "hostapi/CAMCaptureController.h"
#include "manual/CameraBarAccess.h"
#include "manual/DeviceWrites.h"
#include "manual/DialScrollViewGraphicsView.h"
#include "manual/FocusAndExposureToolController.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// The lens ruler maps offsets 0..150 (its own width) onto lens positions 0..1.
constexpr float kLensDialRange = 150;
// The page scroll view thaws this long after the ruler's last movement.
constexpr double kThawDelay = 0.2;
// The mediant search ends well before this on any two-decimal value; the cap only guards odd
// inputs.
constexpr int kMaxMediantSteps = 100000;

std::shared_ptr<AVCaptureDevice> currentDevice() {
    CAMCaptureController* c = sharedCAMCaptureControllerInstance();
    return c != nullptr ? c->currentDevice() : nullptr;
}

std::string formatted(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Offset to list index: whole slots, then whole values (truncating toward zero), clamped.
int indexForOffset(double offset, int slotWidth, int slotsPerValue, std::size_t count) {
    if (count == 0 || !std::isfinite(offset)) return 0;
    const int slot = static_cast<int>(std::trunc(offset / slotWidth));
    const int index = slot / slotsPerValue;
    return std::clamp(index, 0, static_cast<int>(count) - 1);
}

}  // namespace

const std::vector<int>& DialScrollview::shutterSpeedList() {
    static const std::vector<int> list{2,   3,    4,    6,    8,    10,   15,   20,
                                       30,  45,   60,   90,   125,  250,  350,  500,
                                       750, 1000, 1500, 2000, 3000, 4000, 6000, 8000};
    return list;
}

// The lower values are offered from the minimum up and the upper ones up to the maximum; a range
// inside 250..320 offers none.
std::vector<int> DialScrollview::isoListForRange(float minISO, float maxISO) {
    std::vector<int> list;
    for (int v : {40, 50, 64, 80, 100, 125, 160, 200, 250}) {
        if (minISO <= static_cast<float>(v)) list.push_back(v);
    }
    for (int v : {320, 400, 500, 640, 800, 1000, 1250, 1600, 2000}) {
        if (maxISO >= static_cast<float>(v)) list.push_back(v);
    }
    return list;
}

DialScrollview::DialScrollview(CGRect frame) : UIView(frame) {
    scroll_ = std::make_shared<UIScrollView>(CGRectMake(0, 0, frame.size.width, frame.size.height));
    scroll_->setShowsHorizontalScrollIndicator(false);
    if (auto* tools = FocusAndExposureToolController::shared()) tools->setSkipManualSetting(true);
}

DialScrollview::~DialScrollview() {
    // A ruler going inside its thaw window must not leave the page scroll view frozen.
    if (thawEvent_ != 0) platform::RunLoop::main().cancel(thawEvent_);
    if (auto pager = frozenPager_.lock()) pager->setScrollEnabled(true);
    if (scroll_) scroll_->removeFromSuperview();
}

UILabel* DialScrollview::valueLabel() const {
    for (const auto& v : subviews()) {
        if (v->tag() == kDialValueLabelTag) {
            if (auto* label = dynamic_cast<UILabel*>(v.get())) return label;
        }
    }
    return nullptr;
}

// ---- Building the ruler

void DialScrollview::emptyScrollSubviews() {
    if (!scroll_) return;
    const auto children = scroll_->subviews();
    for (const auto& v : children) v->removeFromSuperview();
}

void DialScrollview::ableScrollUserInteraction(bool enabled) {
    if (scroll_) scroll_->setUserInteractionEnabled(enabled);
}

void DialScrollview::addTick(CGRect frame, long markTag, int subTag) {
    auto mark = std::make_shared<DialScrollViewGraphicsView>(frame);
    mark->setBackgroundColor(UIColor::clearColor());
    mark->setTag(markTag);
    mark->setSubTag(subTag);
    scroll_->addSubview(mark);
}

void DialScrollview::buildLensRuler() {
    emptyScrollSubviews();
    const double h = bounds().size.height;
    const int count = 15 * focusCountMultiplier_;
    for (int i = 0; i < count; ++i) {
        const double x = i * viewWidth_lensPosition_;
        if (i == 3) {
            addTick(CGRectMake(60, h / 2 - 5, 31, 20), 2, static_cast<int>(DIAL_LENSPOSITION));
        } else if (i > 3 && i < count - 4) {
            addTick(CGRectMake(x, h / 2 - 16, viewWidth_lensPosition_ + 3, 34), 1,
                    static_cast<int>(DIAL_LENSPOSITION));
        } else if (i == count - 4) {
            addTick(CGRectMake(220, h / 2 - 5, 25, 20), 3, static_cast<int>(DIAL_LENSPOSITION));
        }
    }
    scroll_->setContentSize(CGSizeMake(viewWidth_lensPosition_ * count, h));
}

void DialScrollview::buildShutterSpeedRuler() {
    emptyScrollSubviews();
    shutterspeeds_ = shutterSpeedList();
    const double h = bounds().size.height;
    const int count = static_cast<int>(shutterspeeds_.size()) * 2 + 14;
    for (int i = 0; i < count; ++i) {
        if (i > 4 && i < count - 7) {
            addTick(CGRectMake(i * viewWidth_shutterSpeed_, h / 2 - 16, viewWidth_shutterSpeed_ + 3,
                               34),
                    1, 97);
        }
    }
    scroll_->setContentSize(CGSizeMake(viewWidth_shutterSpeed_ * count * focusCountMultiplier_, h));
}

void DialScrollview::buildISORuler() {
    emptyScrollSubviews();
    mIsoList_.clear();
    if (auto device = currentDevice(); device && device->activeFormat()) {
        mIsoList_ =
            isoListForRange(device->activeFormat()->minISO(), device->activeFormat()->maxISO());
    }
    const double h = bounds().size.height;
    const int count = static_cast<int>(mIsoList_.size()) * 2 + 7;
    for (int i = 0; i < count; ++i) {
        if (i > 2 && i < count - 2) {
            addTick(CGRectMake(i * viewWidth_ISO_, h / 2 - 16, viewWidth_ISO_ + 3, 34), 1, 97);
        }
    }
    scroll_->setContentSize(CGSizeMake(viewWidth_ISO_ * count, h));
}

void DialScrollview::ensureValueLabel() {
    if (UILabel* existing = valueLabel()) {
        bringSubviewToFront(existing);
        return;
    }
    const double h = bounds().size.height;
    const double w = tag() == DIAL_ISO ? 45 : bounds().size.width;
    auto label = std::make_shared<UILabel>(CGRectMake(0, h / 2 - 10, w, 20));
    label->setTag(kDialValueLabelTag);
    label->setBackgroundColor(UIColor::lightGrayColor());
    label->setTextColor(UIColor::whiteColor());
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setFont(UIFont::fontWithName("HelveticaNeue-LightItalic", 16));
    label->layer().setCornerRadius(5);
    label->layer().setMasksToBounds(true);
    addSubview(label);
}

void DialScrollview::initiateStartValues() {
    if (!scroll_) return;
    switch (tag()) {
        case DIAL_LENSPOSITION:
            buildLensRuler();
            break;
        case DIAL_SHUTTERSPEED:
            buildShutterSpeedRuler();
            break;
        case DIAL_ISO:
            buildISORuler();
            break;
        default:
            return;
    }
    scroll_->setShowsHorizontalScrollIndicator(false);
    scroll_->setDelegate(std::dynamic_pointer_cast<UIScrollViewDelegate>(shared_from_this()));
    if (scroll_->superview() != this) addSubview(scroll_);
    if (tag() == DIAL_ISO || tag() == DIAL_SHUTTERSPEED) ensureValueLabel();
    setToCurrentValues();
}

// ---- Pure conversions

int DialScrollview::getFractionFromDecimal(float x) {
    if (!std::isfinite(x)) x = 0;
    const float n = std::floor(x);
    const float f = x - n;
    const int whole = static_cast<int>(n);
    if (f < 1e-6f) {
        lower_ = 1;
        return whole;
    }
    if (1 - 1e-6f < f) {
        lower_ = 1;
        return whole + 1;
    }
    int ln = 0, ld = 1, un = 1, ud = 1;
    for (int step = 0; step < kMaxMediantSteps; ++step) {
        const int mn = ln + un;
        const int md = ld + ud;
        if (static_cast<float>(md) * (f + 1e-6f) < static_cast<float>(mn)) {
            un = mn;
            ud = md;
        } else if (static_cast<float>(mn) < (f - 1e-6f) * static_cast<float>(md)) {
            ln = mn;
            ld = md;
        } else {
            lower_ = md;
            return whole * md + mn;
        }
    }
    lower_ = ld;
    return whole * ld + ln;
}

// Buckets [list[i], list[i+1]) map to i; only buckets up to count - 3 are examined, so a value at
// or above list[count - 2] maps to the last index.
int DialScrollview::findISOindex(int value) const {
    const int count = static_cast<int>(mIsoList_.size());
    for (int i = 0; i < count; ++i) {
        if (i + 1 >= count - 1) return count - 1;
        if (mIsoList_[i] <= value && value < mIsoList_[i + 1]) return i;
        if (value < mIsoList_[i]) return i;
    }
    return count - 1;
}

// A value inside a bucket maps to the bucket's upper end; below the first value, like at or
// above list[count - 2], to the last index.
int DialScrollview::findShutterSpeedindex(int value) const {
    const int count = static_cast<int>(shutterspeeds_.size());
    for (int i = 0; i < count; ++i) {
        if (i + 1 >= count - 1) return count - 1;
        if (shutterspeeds_[i] <= value && value < shutterspeeds_[i + 1]) return i + 1;
    }
    return count - 1;
}

float DialScrollview::convertToDialRange(float lensPosition) {
    return lensPosition * kLensDialRange;
}

float DialScrollview::convertToLensRange(float offset) {
    return std::clamp(offset / kLensDialRange, 0.0f, 1.0f);
}

// ---- Value to ruler

void DialScrollview::moveRuler(double offset) {
    if (!std::isfinite(offset)) return;
    if (scroll_->contentOffset().x == offset && scroll_->contentOffset().y == 0) {
        // Nothing scrolls, so no callback would fill the label: fill it now.
        showValueAtCurrentOffset();
        return;
    }
    programmaticMove_ = true;
    scroll_->setContentOffset(CGPointMake(offset, 0), true);
}

void DialScrollview::setToCurrentValues() {
    auto* tools = FocusAndExposureToolController::shared();
    if (!scroll_ || tools == nullptr) return;
    // Never pull the ruler from under a finger, nor out of the glide a finger started.
    if (scroll_->isDragging() || (scroll_->isDecelerating() && !programmaticMove_)) return;
    tools->setSkipManualSetting(true);
    auto device = currentDevice();
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    switch (tag()) {
        case DIAL_SHUTTERSPEED: {
            if (!device || !tools->exposureTapSelected()) return;
            const double s = CMTimeGetSeconds(device->exposureDuration());
            const float x = static_cast<float>(std::round(s * 100) / 100);
            const int num = getFractionFromDecimal(x);
            if (num > 1) lower_ = lower_ / num;
            const int index = findShutterSpeedindex(lower_);
            moveRuler(shutterSpeedViewCountMultiplier_ * index * viewWidth_shutterSpeed_);
            break;
        }
        case DIAL_ISO: {
            if (!device || !tools->exposureTapSelected() || mIsoList_.empty()) return;
            const int index = findISOindex(static_cast<int>(device->ISO()));
            moveRuler(viewWidth_ISO_ * index * isoViewCountMultiplier_);
            break;
        }
        case DIAL_LENSPOSITION: {
            if (controller == nullptr || !tools->focusTapSelected()) return;
            moveRuler(convertToDialRange(controller->focusLensPosition()));
            break;
        }
        default:
            break;
    }
}

// ---- Ruler to value

bool DialScrollview::writesAllowed() const {
    return !programmaticMove_;
}

void DialScrollview::showLabelText(const std::string& text) {
    UILabel* label = valueLabel();
    if (label == nullptr) return;
    label->setText(text);
    label->sizeToFit();
    CGRect f = label->frame();
    f.origin.x = scroll_->bounds().size.width / 2 - f.size.width / 2;
    label->setFrame(f);
}

void DialScrollview::showValueAtCurrentOffset() {
    const double offset = scroll_->contentOffset().x;
    if (tag() == DIAL_ISO && !mIsoList_.empty()) {
        const int v = mIsoList_[indexForOffset(offset, viewWidth_ISO_, isoViewCountMultiplier_,
                                               mIsoList_.size())];
        showLabelText(formatted(" ISO %d  ", v));
    } else if (tag() == DIAL_SHUTTERSPEED && !shutterspeeds_.empty()) {
        const int n =
            shutterspeeds_[indexForOffset(offset, viewWidth_shutterSpeed_,
                                          shutterSpeedViewCountMultiplier_, shutterspeeds_.size())];
        showLabelText(formatted(" 1/%d s  ", n));
    }
}

void DialScrollview::adjustLensPosition(UIScrollView* scrollView) {
    auto* tools = FocusAndExposureToolController::shared();
    if (tools == nullptr || !tools->focusTapSelected() || !writesAllowed()) return;
    const float lens = convertToLensRange(static_cast<float>(scrollView->contentOffset().x));
    if (lens == lastWritten_) return;
    if (writeLensPosition(currentDevice().get(), lens)) {
        lastWritten_ = lens;
        ++deviceWrites_;
    }
}

void DialScrollview::adjustShutterSpeed(UIScrollView* scrollView) {
    auto* tools = FocusAndExposureToolController::shared();
    if (tools == nullptr || !tools->exposureTapSelected() || shutterspeeds_.empty()) return;
    int n = shutterspeeds_[indexForOffset(scrollView->contentOffset().x, viewWidth_shutterSpeed_,
                                          shutterSpeedViewCountMultiplier_, shutterspeeds_.size())];
    if (writesAllowed()) {
        if (n != lastWritten_) {
            if (const auto written = writeShutterSpeed(currentDevice().get(), n)) {
                lastWritten_ = n;
                n = *written;
                ++deviceWrites_;
            }
        } else if (const auto limited = limitedShutterSpeed(currentDevice().get(), n)) {
            n = *limited;
        }
    }
    showLabelText(formatted(" 1/%d s  ", n));
}

void DialScrollview::adjustISO(UIScrollView* scrollView) {
    auto* tools = FocusAndExposureToolController::shared();
    // With no values there is nothing to write and nothing to show.
    if (tools == nullptr || !tools->exposureTapSelected() || mIsoList_.empty()) return;
    int v = mIsoList_[indexForOffset(scrollView->contentOffset().x, viewWidth_ISO_,
                                     isoViewCountMultiplier_, mIsoList_.size())];
    if (writesAllowed()) {
        if (v != lastWritten_) {
            if (const auto written = writeISO(currentDevice().get(), v)) {
                lastWritten_ = v;
                v = *written;
                ++deviceWrites_;
            }
        } else if (const auto limited = limitedISO(currentDevice().get(), v)) {
            v = *limited;
        }
    }
    showLabelText(formatted(" ISO %d  ", v));
}

// ---- Touches and scrolling

// A touch on the ruler puts its kind under manual control, turns device writes on and keeps the
// camera's own changes from moving the ruler under the finger.
bool DialScrollview::pointInside(CGPoint point, UIEvent* event) {
    auto* tools = FocusAndExposureToolController::shared();
    if (scroll_ && tools != nullptr && CGRectContainsPoint(scroll_->frame(), point) &&
        scroll_->isUserInteractionEnabled()) {
        if (tag() == DIAL_LENSPOSITION) tools->setIsInManualFocusMode(true);
        if (tag() == DIAL_ISO || tag() == DIAL_SHUTTERSPEED) tools->setIsInManualISOMode(true);
        tools->setSkipManualSetting(false);
        if (!isHidden()) {
            if (tag() == DIAL_LENSPOSITION) tools->setSkipLensPositionObserverCallback(true);
            if (tag() == DIAL_ISO || tag() == DIAL_SHUTTERSPEED) {
                tools->setSkipISOObserverCallback(true);
                tools->setSkipShutterSpeedObserverCallback(true);
            }
        }
    }
    return UIView::pointInside(point, event);
}

void DialScrollview::freezePager() {
    UIScrollView* pager = cameraBarScrollview();
    if (pager == nullptr) return;
    pager->setScrollEnabled(false);
    frozenPager_ = std::dynamic_pointer_cast<UIScrollView>(pager->weak_from_this().lock());
}

void DialScrollview::thawPager() {
    if (thawEvent_ != 0) platform::RunLoop::main().cancel(thawEvent_);
    thawEvent_ = 0;
    if (UIScrollView* pager = cameraBarScrollview()) pager->setScrollEnabled(true);
    if (auto pager = frozenPager_.lock()) pager->setScrollEnabled(true);
    frozenPager_.reset();
}

void DialScrollview::scrollViewDidScroll(UIScrollView* scrollView) {
    freezePager();
    switch (tag()) {
        case DIAL_SHUTTERSPEED:
            adjustShutterSpeed(scrollView);
            break;
        case DIAL_ISO:
            adjustISO(scrollView);
            break;
        case DIAL_LENSPOSITION:
            adjustLensPosition(scrollView);
            break;
        default:
            break;
    }
    auto& loop = platform::RunLoop::main();
    if (thawEvent_ != 0) loop.cancel(thawEvent_);
    std::weak_ptr<NSObject> weak = weak_from_this();
    thawEvent_ = loop.schedule(kThawDelay, [weak] {
        if (auto self = weak.lock()) static_cast<DialScrollview*>(self.get())->thawPager();
    });
}

void DialScrollview::scrollViewWillBeginDragging(UIScrollView*) {
    // The finger takes over from a move to the camera's value.
    programmaticMove_ = false;
    lastWritten_ = -1;
}

void DialScrollview::scrollViewDidEndScrollingAnimation(UIScrollView*) {
    programmaticMove_ = false;
    thawPager();
}

}  // namespace lumora
