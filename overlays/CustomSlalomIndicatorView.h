#pragma once
// The tappable badge on the host's bottom bar: the video frame rate (a number over "FPS",
// indicator type 0) or the capture resolution (a picture over a text such as "720p", type 1).
// It keeps what it shows and draws it with the badge artwork (artwork/SlalomBadge.h).

#include <memory>
#include <string>

#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIView.h"

namespace lumora {

class CustomSlalomIndicatorView : public UIView {
public:
    LU_OBJC_CLASS(CustomSlalomIndicatorView)

    // initWithFrame:withCallbackSelector:andCallbackOwner: a tap anywhere on the badge runs
    // `callback` while `callbackOwner` lives (the owner is held weakly).
    CustomSlalomIndicatorView(CGRect frame, UIGestureRecognizer::Action callback,
                              const std::shared_ptr<NSObject>& callbackOwner);

    static constexpr int kFrameRate = 0;
    static constexpr int kResolution = 1;
    int indicatorType() const { return indicatorType_; }
    // The resolution type hides the number line.
    void setIndicatorType(int type);

    int framesPerSecond() const { return framesPerSecond_; }
    void setFramesPerSecond(int framesPerSecond);
    // The second line ("FPS" for a new badge).
    const std::string& labelText() const { return labelText_; }
    void setLabelText(std::string text);
    const std::shared_ptr<UIImage>& resolutionImg() const { return resolutionImg_; }
    void setResolutionImg(std::shared_ptr<UIImage> image);
    CGRect resolutionImgFrame() const { return resolutionImgFrame_; }
    void setResolutionImgFrame(CGRect frame);

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    int indicatorType_ = kFrameRate;
    int framesPerSecond_ = 30;
    std::string labelText_ = "FPS";
    std::shared_ptr<UIImage> resolutionImg_;
    CGRect resolutionImgFrame_ = CGRectMake(15, 5, 22.5, 16.5);
};

}  // namespace lumora
