#pragma once
// The live picture with the focus and exposure indicators over it: the focus square, a separate
// exposure circle in split mode, the exposure-bias slider, the large continuous auto-focus frame
// and the "AE/AF LOCK" banner. The picture comes from a shot source (the capture controller)
// and is rendered at half the screen's resolution, again only when the shot changes.

#include <functional>
#include <memory>
#include <optional>

#include "host/Scene.h"
#include "hostapi/HostAPI.h"
#include "platform/graphics/Image.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UILabel.h"

namespace host {

class PreviewView : public CAMPreviewView {
public:
    PreviewView();
    // Host implementation of initWithFrame:.
    void initWithFrame(CGRect frame);

    // The shot shown; nullopt shows black (no session running).
    using ShotSource = std::function<std::optional<SceneShot>()>;
    void setShotSource(ShotSource source) { source_ = std::move(source); }
    void setBlurred(bool blurred);
    bool isBlurred() const { return blurred_; }

    // CAMPreviewView
    void _setShowExposureBiasSlider(bool show) override;
    void showContinuousAutoFocusView() override;
    CGPoint currentFocusPoint() const override { return focusPoint_; }
    CGRect lastExposureFrame() const override { return exposureFrame_; }
    CGRect lastFocusFrame() const override { return focusFrame_; }

    bool isShowingExposureBiasSlider() const { return showBias_; }
    bool isShowingFocus() const { return showFocus_; }
    bool isShowingContinuousAutoFocus() const { return showContinuous_; }
    // Where the bias slider's sun sits (the exposure itself is the controller's).
    double exposureBias() const { return biasEV_; }
    void setExposureBias(double ev);
    // Places the focus square (and the exposure circle) centred on points of this view.
    void setFocusPoint(CGPoint point, bool visible);
    void setExposurePoint(CGPoint point);
    void setSplit(bool split);
    bool isSplit() const { return split_; }
    void clearFocusViews();
    void setLockBannerVisible(bool visible);
    bool isLockBannerVisible() const;
    // Drops the cached picture (memory warning).
    void dropCache() { cached_.reset(); }

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
    void layoutSubviews() override;

    static constexpr double kFocusSide = 80;
    static UIColor kAmberBanner();

private:
    platform::ImageRef picture(const SceneShot& shot);

    ShotSource source_;
    platform::ImageRef cached_;
    std::optional<SceneShot> cachedShot_;
    CGSize cachedSize_{};
    bool blurred_ = false;
    bool showBias_ = false;
    bool showFocus_ = false;
    bool showContinuous_ = false;
    bool split_ = false;
    double biasEV_ = 0;
    CGPoint focusPoint_ = CGPointMake(0, 0);
    CGRect focusFrame_ = CGRectZero;
    CGRect exposureFrame_ = CGRectZero;
    std::shared_ptr<UILabel> lockBanner_;
};

}  // namespace host
