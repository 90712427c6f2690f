#pragma once
// A horizontally scrolling ruler that sets one manual capture value while the preview runs. The
// view's tag picks the kind: 97 shutter speed (exposure duration 1/N s), 98 ISO, 99 lens position
// (0 nearest to 1 farthest). Scrolling by the user writes the value to the current camera;
// setToCurrentValues moves the ruler to the camera's present value without writing anything.
//
// Main thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"

class AVCaptureDevice;

namespace lumora {

inline constexpr long DIAL_SHUTTERSPEED = 97;
inline constexpr long DIAL_ISO = 98;
inline constexpr long DIAL_LENSPOSITION = 99;
// The readout label of the ISO and shutter-speed rulers.
inline constexpr long kDialValueLabelTag = 134;

class DialScrollview : public UIView, public UIScrollViewDelegate {
public:
    LU_OBJC_CLASS(DialScrollview)
    explicit DialScrollview(CGRect frame);
    ~DialScrollview() override;

    // The shutter-speed denominators, slowest first (24 values).
    static const std::vector<int>& shutterSpeedList();
    // The ISO values a format with this range offers, ascending.
    static std::vector<int> isoListForRange(float minISO, float maxISO);

    // Rebuilds the ruler for the kind in tag (re-reading the ISO range), then setToCurrentValues.
    void initiateStartValues();
    // Moves the ruler (animated) to the camera's value; never writes to the camera.
    void setToCurrentValues();
    void emptyScrollSubviews();
    void ableScrollUserInteraction(bool enabled);

    // Best rational approximation of x; returns the numerator, the denominator is left in lower().
    int getFractionFromDecimal(float x);
    int lower() const { return lower_; }
    // Index into the ISO list / shutter-speed list for a value (see the .cpp for the buckets).
    int findISOindex(int value) const;
    int findShutterSpeedindex(int value) const;
    static float convertToDialRange(float lensPosition);
    static float convertToLensRange(float offset);

    // Map the ruler's offset to a value, write it (user moves only) and show it.
    void adjustLensPosition(UIScrollView* scrollView);
    void adjustShutterSpeed(UIScrollView* scrollView);
    void adjustISO(UIScrollView* scrollView);

    // A touch on the ruler puts its kind under manual control (see the .cpp).
    bool pointInside(CGPoint point, UIEvent* event) override;

    void scrollViewDidScroll(UIScrollView* scrollView) override;
    void scrollViewWillBeginDragging(UIScrollView* scrollView) override;
    void scrollViewDidEndScrollingAnimation(UIScrollView* scrollView) override;

    UIScrollView* scroll() const { return scroll_.get(); }
    const std::vector<int>& shutterspeeds() const { return shutterspeeds_; }
    const std::vector<int>& isoList() const { return mIsoList_; }
    UILabel* valueLabel() const;
    // Writes this ruler sent to the camera (each one a configuration-locked change).
    int deviceWrites() const { return deviceWrites_; }
    // True while the ruler moves by itself to the camera's value.
    bool isMovingToCurrentValue() const { return programmaticMove_; }

private:
    void buildLensRuler();
    void buildShutterSpeedRuler();
    void buildISORuler();
    void addTick(CGRect frame, long markTag, int subTag);
    void ensureValueLabel();
    void showLabelText(const std::string& text);
    // The label for the value at the ruler's present offset (a move that does not happen).
    void showValueAtCurrentOffset();
    void moveRuler(double offset);
    bool writesAllowed() const;
    void freezePager();
    void thawPager();

    std::shared_ptr<UIScrollView> scroll_;
    std::vector<int> shutterspeeds_;
    std::vector<int> mIsoList_;
    int viewWidth_shutterSpeed_ = 10;
    int viewWidth_lensPosition_ = 20;
    int viewWidth_ISO_ = 20;
    int shutterSpeedViewCountMultiplier_ = 2;
    int isoViewCountMultiplier_ = 2;
    int focusCountMultiplier_ = 1;
    int lower_ = 1;

    bool programmaticMove_ = false;
    // The last value written during the present touch, so a drag writes each value once.
    double lastWritten_ = -1;
    int deviceWrites_ = 0;
    platform::EventId thawEvent_ = 0;
    std::weak_ptr<UIScrollView> frozenPager_;
};

}  // namespace lumora
