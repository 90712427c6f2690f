#pragma once
// A blurred backdrop: the view shows a blur of what lies behind it, tinted by the effect's
// style, with a content view on top. It is a backdrop layer with a Gaussian blur filter
// (radius 20) and the style's tint as its background colour.

#include <memory>

#include "platform/ui/UIView.h"

enum UIBlurEffectStyle : long {
    UIBlurEffectStyleExtraLight = 0,
    UIBlurEffectStyleLight = 1,
    UIBlurEffectStyleDark = 2,
};

class UIBlurEffect {
public:
    static UIBlurEffect effectWithStyle(UIBlurEffectStyle style) { return UIBlurEffect(style); }
    UIBlurEffectStyle style() const { return style_; }
    // The tint laid over the blur.
    UIColor tint() const;

private:
    explicit UIBlurEffect(UIBlurEffectStyle style) : style_(style) {}
    UIBlurEffectStyle style_;
};

class UIVisualEffectView : public UIView {
public:
    LU_OBJC_CLASS(UIVisualEffectView)
    explicit UIVisualEffectView(UIBlurEffect effect, CGRect frame = CGRectZero);

    const UIBlurEffect& effect() const { return effect_; }
    // Subviews go here; it always fills the effect view.
    UIView* contentView() const { return content_.get(); }
    void layoutSubviews() override;

    static constexpr double kBlurRadius = 20;

private:
    UIBlurEffect effect_;
    std::shared_ptr<UIView> content_;
};
