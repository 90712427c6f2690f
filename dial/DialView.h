#pragma once
// The selection dial as drawn: a disc with the number picked, a ring of 120 segments of which
// `step` are lit from the top clockwise, the action circle (Start / Stop / Set) and, for the
// time-lapse dial, the seconds/minutes switch circle. A full-screen transparent view: the dial
// sits in a fixed area of it, and touches elsewhere pass to the views below.
//
// Taps are recognised in the hit test: a touch on an action or switch circle fires it when the
// hit test sees it, and `skipChangeFocusCall` (also read by the host's tap-to-focus) makes the
// repeated hit tests of one touch fire it once; the touch's end clears it.

#include <memory>
#include <string>

#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

namespace lumora {

// Dial types (also the dial controller's `dialViewType`).
inline constexpr long DialViewTypeTimeLapse = 1;
inline constexpr long DialViewTypeTimer = 2;
inline constexpr long SelectorDialTypeFrames = 3;
// Time types of the time-lapse interval.
inline constexpr long DialTimeTypeSeconds = 0;
inline constexpr long DialTimeTypeMinutes = 1;

// What the dial tells its owner (the camera bar). Both optional.
class DialViewDelegate {
public:
    virtual ~DialViewDelegate() = default;
    virtual void ActionButtonTapped() {}
    virtual void SwitchButtonTapped() {}
};

class DialView : public UIView {
public:
    LU_OBJC_CLASS(DialView)

    // initWithFrame: (the captions of the two circles are labels inside it).
    static std::shared_ptr<DialView> create(CGRect frame);
    explicit DialView(CGRect frame);

    // The dial's centre in view points, and the radius within which a touch turns it.
    static constexpr CGPoint kDialCentre{158.0, 234.25};
    static constexpr double kDialRadius = 120;
    static constexpr int kSegments = 120;

    std::shared_ptr<DialViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<DialViewDelegate>& d) { delegate_ = d; }

    bool isRunning() const { return isRunning_; }
    void setIsRunning(bool running);
    long type() const { return type_; }
    // Sets the unit word: "FPS", "SEC", or for the time lapse "SEC" / "MIN" by the time type.
    void setType(long type);
    long timeType() const { return timeType_; }
    // Sets the unit word "Second" / "Minute"; seconds raise a count below 3 to 3.
    void setTimeType(long timeType);
    int step() const { return step_; }
    // Clamped to the ring's 0 to 120 segments.
    void setStep(int step);
    int count() const { return count_; }
    void setCount(int count);
    bool hideSwitchDial() const { return hideSwitchDial_; }
    void setHideSwitchDial(bool hide);
    const std::string& typeDescription() const { return typeDescription_; }
    int unit() const { return unit_; }
    CGRect switchTypeCircleRect() const { return switchTypeCircleRect_; }
    CGRect actionCircleRect() const { return actionCircleRect_; }

    void switchButtonTapped();
    static float distanceWithCenter(CGPoint a, CGPoint b);

    // The number and unit texts as drawn, one line ("5 Seconds", "2 Minutes 30 Seconds").
    std::string readout() const;
    // The action circle's caption: "Start", "Stop" or "Set".
    std::string actionTitle() const;
    // The labels over the two circles (they take no touches: the dial's hit test does).
    UILabel* actionCaption() const { return actionCaption_.get(); }
    UILabel* switchCaption() const { return switchCaption_.get(); }

    bool pointInside(CGPoint point, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    // The unit text under the number: word plus plural "s" (none for 1 and for frame rates).
    std::string unitText() const;
    void updateCaptions();

    std::weak_ptr<DialViewDelegate> delegate_;
    bool isRunning_ = false;
    long type_ = 0;
    long timeType_ = DialTimeTypeSeconds;
    int step_ = 0;
    int count_ = 0;
    bool hideSwitchDial_ = false;
    std::string typeDescription_;
    int unit_ = kSegments;
    CGRect switchTypeCircleRect_ = CGRectMake(232.375, 116.625, 62.5, 62.5);
    CGRect actionCircleRect_ = CGRectMake(232.375, 292.5, 62.5, 62.5);
    std::shared_ptr<UILabel> actionCaption_;
    std::shared_ptr<UILabel> switchCaption_;
};

}  // namespace lumora
