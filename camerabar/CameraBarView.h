#pragma once
// The strip behind the camera bar's mode buttons (`state()._cameraButtonView`): a horizontally
// paging scroll view with a caption under each button and page arrows, over a blurred (or plain
// grey) background. It is 65 points high, 95 while a manual value dial is open.
//
//   CameraBarView.cpp       building, mode styling, captions, background, paging
//   CameraBarViewDials.cpp  opening and closing the manual dials (the 65 / 95 growth)
// Main thread only.

#include <array>
#include <functional>
#include <memory>

#include "platform/ui/UIScrollViewDelegate.h"
#include "platform/ui/UIView.h"

class UILabel;
class UIScrollView;
class CAMCaptureController;

namespace lumora {

class CKBlurView;

class CameraBarView : public UIView, public UIScrollViewDelegate {
public:
    LU_OBJC_CLASS(CameraBarView)
    using Callback = std::function<void()>;

    // Closed and open heights, and the growth between them.
    static constexpr CGFloat kClosedHeight = 65;
    static constexpr CGFloat kOpenHeight = 95;
    static constexpr CGFloat kGrowth = kOpenHeight - kClosedHeight;
    // Tags of the background views and of the page arrows.
    static constexpr long kBlurTag = 100;
    static constexpr long kEffectTag = 101;
    static constexpr long kNonBlurTag = 102;
    static constexpr long kPageArrowTag = 8;

    // initWithFrame:callbackOwner:callback: (owner and callback are kept but not used).
    static std::shared_ptr<CameraBarView> initWithFrame(CGRect frame,
                                                        const std::shared_ptr<NSObject>& owner,
                                                        Callback callback);
    explicit CameraBarView(CGRect frame);
    // dealloc: the backgrounds, the scroll view and the captions leave the view.
    ~CameraBarView() override;

    // ---- Fields ----
    std::shared_ptr<CKBlurView> blur;  // tag 100
    std::shared_ptr<UIView> nonBlur;   // tag 102
    std::shared_ptr<UIScrollView> scrollview;
    std::shared_ptr<UILabel> btn1Txt;
    std::shared_ptr<UILabel> btn2Txt;
    std::shared_ptr<UILabel> btn3Txt;
    std::shared_ptr<UILabel> btn4Txt;
    int textStart = 0;
    int textWidth = 0;
    int currentPageNo = 0;

    // ---- Styling (CameraBarView.cpp) ----
    // Re-styles the bar for the host mode: blur and tint, the captions' places, texts and
    // colours, the timer buttons' enabled state in mode 6, the page arrows.
    void setTextForMode(CAMCaptureController* controller, bool isCapturing);
    void setTextForMode(long mode, bool isCapturing);
    // Re-colours the captions from their buttons' enabled states.
    void ableButtonText(CAMCaptureController* controller);
    void ableButtonText(long mode);
    // The background: the blur view (setting "blurButtonBar" on) or the plain grey view.
    void setBlur(float radius);
    // A dark visual-effect view filling `view`, tag 101, when the platform has one.
    void addBlurToView(UIView* view);

    // ---- The manual dials (CameraBarViewDials.cpp) ----
    void toggleExposureScrollDials(bool hide);
    void toggleFocusScrollDial(bool hide);
    // Grows the bar to 95 (hide false) or shrinks it back to 65 (hide true), animated.
    void toggleHeightScrollView(bool hide);
    // True from a growth until the shrink that undoes it.
    bool isGrown() const { return grown_; }
    // The backgrounds and the scroll view take the strip's height at once and any open dial is
    // closed: used when the strip is shown again at its closed frame.
    void restoreClosedHeight();

    // ---- Paging ----
    void scrollViewDidScroll(UIScrollView* scrollView) override;
    void scrollViewDidEndScrollingAnimation(UIScrollView*) override {}
    // The page shown for a content offset: the nearest page, within [0, pages - 1].
    static int pageForOffset(CGFloat offsetX, CGFloat pageWidth, CGFloat contentWidth);

    bool pointInside(CGPoint point, UIEvent* event) override {
        return UIView::pointInside(point, event);
    }

    // The tablet strip is a column: the button and the caption of each row.
    static CGRect padButtonFrame(int row) { return CGRectMake(16.5, 10 + 70.0 * row, 47, 47); }
    static CGRect padCaptionFrame(int row) { return CGRectMake(15, 54 + 70.0 * row, 50, 15); }

    // The captions in order (btn1Txt .. btn4Txt).
    std::array<UILabel*, 4> captions() const;

private:
    void build();
    void tint(double grey);
    void layoutPageArrows(long mode);

    void growBy(CGFloat delta);

    bool grown_ = false;
    std::weak_ptr<NSObject> callbackOwner_;
    Callback callback_;
};

// `state()._cameraButtonView` as a CameraBarView, or null.
std::shared_ptr<CameraBarView> currentCameraBarView();

}  // namespace lumora
