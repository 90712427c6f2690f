// The camera bar's strip: building, mode styling, captions, background and paging.
#include "camerabar/CameraBarView.h"

#include <algorithm>
#include <cmath>

#include "artwork/CustomDrawButton.h"
#include "camerabar/CompanionCalls.h"
#include "core/TweakState.h"
#include "hostapi/CAMCaptureController.h"
#include "platform/runloop/Timer.h"
#include "platform/ui/CAFilter.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIVisualEffectView.h"
#include "tools/CAM_Tools.h"
#include "tools/CKBlurView.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr UIColor kAmber = UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0);
// A caption whose button is disabled: white when re-coloured from the buttons' states, amber
// faded when the mode styling finds the first button disabled.
constexpr UIColor kDisabledCaption = UIColor::colorWithWhite(1.0, 0.3);
constexpr UIColor kFadedAmber = UIColor::colorWithRed(1.0, 0.8, 0.0, 0.3);
constexpr CGFloat kCaptionY = 43;
constexpr CGFloat kCaptionHeight = 15;

bool isDisabled(const std::shared_ptr<NSObject>& button) {
    const auto* control = dynamic_cast<const UIControl*>(button.get());
    return control != nullptr && !control->isEnabled();
}

void setEnabled(const std::shared_ptr<NSObject>& button, bool enabled) {
    if (auto* control = dynamic_cast<UIControl*>(button.get())) control->setEnabled(enabled);
}

void styleCaption(UILabel& label) {
    label.setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
    label.setTextAlignment(NSTextAlignmentCenter);
    label.setAdjustsFontSizeToFitWidth(true);
    label.setMinimumScaleFactor(9.0 / 13.0);
    label.setTextColor(kAmber);
    label.setBackgroundColor(UIColor::clearColor());
}

long modeOf(CAMCaptureController* controller) {
    return controller != nullptr ? controller->cameraMode() : -1;
}

}  // namespace

std::shared_ptr<CameraBarView> currentCameraBarView() {
    return std::dynamic_pointer_cast<CameraBarView>(state()._cameraButtonView);
}

CameraBarView::CameraBarView(CGRect frame) : UIView(frame) {}

std::shared_ptr<CameraBarView> CameraBarView::initWithFrame(CGRect frame,
                                                            const std::shared_ptr<NSObject>& owner,
                                                            Callback callback) {
    auto view = std::make_shared<CameraBarView>(frame);
    view->callbackOwner_ = owner;
    view->callback_ = std::move(callback);
    view->build();
    return view;
}

CameraBarView::~CameraBarView() {
    for (const std::shared_ptr<UIView>& v :
         {std::static_pointer_cast<UIView>(blur), nonBlur,
          std::static_pointer_cast<UIView>(scrollview), std::static_pointer_cast<UIView>(btn1Txt),
          std::static_pointer_cast<UIView>(btn2Txt), std::static_pointer_cast<UIView>(btn3Txt),
          std::static_pointer_cast<UIView>(btn4Txt)}) {
        if (v) v->removeFromSuperview();
    }
}

void CameraBarView::build() {
    const CGRect f = frame();
    currentPageNo = 0;
    scrollview = std::make_shared<UIScrollView>(CGRectMake(0, 0, f.size.width, f.size.height));
    scrollview->setBackgroundColor(UIColor::clearColor());
    scrollview->setAlwaysBounceHorizontal(true);
    scrollview->setShowsHorizontalScrollIndicator(false);
    scrollview->setPagingEnabled(true);
    // The delegate is this view, held weakly by the scroll view.
    scrollview->setDelegate(std::shared_ptr<UIScrollViewDelegate>(
        std::static_pointer_cast<CameraBarView>(shared_from_this()),
        static_cast<UIScrollViewDelegate*>(this)));

    textStart = 21;
    textWidth = 67;
    const bool pad = isTablet();
    const char* keys[] = {"ADV_MODE_SHORT", "TIMER", "LAPSE", "WB_LOCK"};
    std::shared_ptr<UILabel>* fields[] = {&btn1Txt, &btn2Txt, &btn3Txt, &btn4Txt};
    for (int i = 0; i < 4; ++i) {
        CGRect captionFrame;
        if (pad) {
            captionFrame = padCaptionFrame(i);
        } else {
            captionFrame = CGRectMake(textStart, kCaptionY, textWidth, kCaptionHeight);
            textStart += textWidth + 5;
        }
        auto label = std::make_shared<UILabel>(captionFrame);
        styleCaption(*label);
        label->setText(CAM_Tools::GetResource(keys[i]));
        scrollview->addSubview(label);
        *fields[i] = label;
    }

    addSubview(scrollview);
    setBlur(20);

    // Arrows at the right edge of the first two pages: a further page follows.
    for (int page = 1; page <= 2; ++page) {
        auto arrow =
            std::make_shared<CustomDrawButton>(CGRectMake(page * f.size.width - 12, 18, 20, 50));
        arrow->setTag(kPageArrowTag);
        scrollview->addSubview(arrow);
    }
}

std::array<UILabel*, 4> CameraBarView::captions() const {
    return {btn1Txt.get(), btn2Txt.get(), btn3Txt.get(), btn4Txt.get()};
}

// ---- Mode styling ----

void CameraBarView::setTextForMode(CAMCaptureController* controller, bool isCapturing) {
    setTextForMode(modeOf(controller), isCapturing);
}

void CameraBarView::setTextForMode(long mode, bool isCapturing) {
    TweakState& s = state();
    // The blur is rebuilt for every styling.
    if (blur) blur->removeFromSuperview();
    blur.reset();

    const bool pad = isTablet();
    const CGFloat width = frame().size.width;
    auto place = [&](UILabel* label, CGFloat x, int row) {
        if (label == nullptr) return;
        if (pad) {
            label->setFrame(padCaptionFrame(row));
        } else {
            label->setFrame(CGRectMake(x, kCaptionY, textWidth, kCaptionHeight));
        }
    };

    if (!isVideoModeEx(mode)) {
        const bool squareSix = getCameraMode() == 6;
        setEnabled(s.modeTimerBtn, !squareSix);
        setEnabled(s.modeLapseTimerBtn, !squareSix);
        setBlur(10);
        tint(0.3);
        const CGFloat w = width / 5;
        textStart = static_cast<int>(w / 2);
        for (int i = 0; i < 4; ++i) place(captions()[i], textStart + i * w, i);
        btn1Txt->setTextColor(isDisabled(s.modeAdvCameraBtn) ? kFadedAmber : kAmber);
        btn2Txt->setTextColor(squareSix ? kDisabledCaption : kAmber);
        btn3Txt->setTextColor(squareSix ? kDisabledCaption : kAmber);
        btn1Txt->setText(CAM_Tools::GetResource("ADV_MODE_SHORT"));
        btn2Txt->setText(CAM_Tools::GetResource("TIMER"));
        btn3Txt->setText(CAM_Tools::GetResource("LAPSE"));
        btn4Txt->setText(CAM_Tools::GetResource("WB_LOCK"));
    } else {
        setBlur(isCapturing ? 1 : 10);
        tint(isCapturing ? 0.07 : 0.1);
        const CGFloat w = width / 4;
        textStart = static_cast<int>(w / 1.4 - 9);
        place(btn1Txt.get(), textStart, 0);
        place(btn2Txt.get(), textStart + w, 1);
        place(btn4Txt.get(), textStart + 2 * w, 2);
        btn1Txt->setTextColor(isDisabled(s.modeAdvVideoBtn) ? kFadedAmber : kAmber);
        btn1Txt->setText(CAM_Tools::GetResource("ADV_MODE_SHORT"));
        btn2Txt->setText("Stabilizer");
        btn3Txt->setText("");
        btn4Txt->setText(CAM_Tools::GetResource("WB_LOCK"));
    }
    layoutPageArrows(mode);
}

void CameraBarView::layoutPageArrows(long mode) {
    if (!scrollview) return;
    const CGFloat width = frame().size.width;
    for (const auto& sub : scrollview->subviews()) {
        if (sub->tag() != kPageArrowTag) continue;
        if (mode == 0) {
            sub->setAlpha(1);
        } else if (sub->frame().origin.x > width) {
            sub->setAlpha(0);
        }
    }
}

void CameraBarView::tint(double grey) {
    if (!blur) return;
    auto filter = CAFilter::filterWithName(kCAFilterColorAdd);
    filter->setValue("inputColor", std::vector<double>{grey, grey, grey, 1.0});
    blur->setTintColorFilter(filter);
}

void CameraBarView::ableButtonText(CAMCaptureController* controller) {
    ableButtonText(modeOf(controller));
}

void CameraBarView::ableButtonText(long mode) {
    const TweakState& s = state();
    if (!isVideoModeEx(mode)) {
        btn1Txt->setTextColor(isDisabled(s.modeAdvCameraBtn) ? kDisabledCaption : kAmber);
    } else {
        btn1Txt->setTextColor(isDisabled(s.modeAdvVideoBtn) ? kDisabledCaption : kAmber);
        btn2Txt->setTextColor(isDisabled(s.modeToggleStabilizationBtn) ? kDisabledCaption : kAmber);
    }
}

// ---- Background ----

void CameraBarView::setBlur(float radius) {
    const CGRect area = bounds();
    if (!state().blurButtonBar) {
        if (!nonBlur) {
            nonBlur = std::make_shared<UIView>(CGRectMake(0, 0, area.size.width, area.size.height));
            nonBlur->setBackgroundColor(UIColor::lightGrayColor());
            nonBlur->setAlpha(0.5);
            nonBlur->setTag(kNonBlurTag);
            insertSubview(nonBlur, 0);
        }
        return;
    }
    if (!blur) {
        // The bar's own coordinates: its frame's origin lies off screen while it is hidden.
        blur = CAM_Tools::CreateAndConfigureBlurView(area);
        blur->setTag(kBlurTag);
        insertSubview(blur, 0);
    }
    blur->setBlurRadius(radius);
}

void CameraBarView::addBlurToView(UIView* view) {
    if (view == nullptr) return;
    const CGRect b = view->bounds();
    auto effect = std::make_shared<UIVisualEffectView>(
        UIBlurEffect::effectWithStyle(static_cast<UIBlurEffectStyle>(1)),
        CGRectMake(0, 0, b.size.width, b.size.height));
    effect->setTag(kEffectTag);
    view->addSubview(effect);
}

// ---- Paging ----

int CameraBarView::pageForOffset(CGFloat offsetX, CGFloat pageWidth, CGFloat contentWidth) {
    if (!(pageWidth > 0) || !std::isfinite(offsetX)) return 0;
    const int pages = std::max(1, static_cast<int>(std::lround(contentWidth / pageWidth)));
    const long nearest = std::lround(offsetX / pageWidth);
    return static_cast<int>(std::clamp<long>(nearest, 0, pages - 1));
}

void CameraBarView::scrollViewDidScroll(UIScrollView* scrollView) {
    if (scrollView == nullptr) return;
    const CGFloat width = scrollView->frame().size.width;
    if (!(width > 0)) return;
    const int page =
        pageForOffset(scrollView->contentOffset().x, width, scrollView->contentSize().width);
    if (page == currentPageNo) return;
    currentPageNo = page;
    focustool::toggleISOScrollView(true);
    focustool::toggleShutterSpeedScrollView(true);
    focustool::toggleFocusScrollView(true);
    toggleHeightScrollView(true);
    platform::cancelPreviousPerformRequests(this);
    std::weak_ptr<CameraBarView> weak = std::static_pointer_cast<CameraBarView>(shared_from_this());
    platform::performAfterDelay(shared_from_this(), 0.3, [weak] {
        if (auto view = weak.lock())
            view->scrollViewDidEndScrollingAnimation(view->scrollview.get());
    });
}

}  // namespace lumora
