#pragma once
// The dark blurred backdrop behind the camera bar and the resolution picker: a backdrop view
// whose layer carries a Gaussian blur filter and, once a tint is set, an additive colour filter
// in front of it. The screen renderer blurs whatever lies behind the view and adds the tint.

#include <memory>
#include <string>

#include "platform/ui/CAFilter.h"
#include "platform/ui/UIView.h"

namespace lumora {

// Input keys of the blur filter.
inline constexpr const char* CKBlurViewQualityKey = "inputQuality";
inline constexpr const char* CKBlurViewRadiusKey = "inputRadius";
inline constexpr const char* CKBlurViewBoundsKey = "inputBounds";
inline constexpr const char* CKBlurViewHardEdgesKey = "inputHardEdges";
inline constexpr const char* CKBlurViewQualityDefault = "default";

class CKBlurView : public UIView {
public:
    LU_OBJC_CLASS(CKBlurView)
    // initWithFrame: the blur filter installed alone, quality "default", radius 5.
    explicit CKBlurView(CGRect frame);

    const std::string& blurQuality() const { return blurQuality_; }
    void setBlurQuality(std::string quality) { blurQuality_ = std::move(quality); }
    const std::shared_ptr<CAFilter>& blurFilter() const { return blurFilter_; }
    // Null until setTintColorFilter.
    const std::shared_ptr<CAFilter>& colorFilter() const { return colorFilter_; }

    // The blur filter's radius; 0 when it holds no number.
    void setBlurRadius(float radius);
    float blurRadius() const;
    // The blur filter's quality input; empty when unset.
    void setQuality(const std::string& quality);
    std::string quality() const;
    // The area the blur works on, in the view's own coordinates; CGRectNull while unset.
    void setBlurCroppingRect(CGRect rect);
    CGRect blurCroppingRect() const;
    // Soft edges are stored as the filter's hard-edge switch, inverted.
    void setBlurEdges(bool softEdges);
    bool blurEdges() const;
    // Installs the tint in front of the blur: layer filters become [filter, blurFilter]. A null
    // filter removes the tint and keeps the blur.
    void setTintColorFilter(std::shared_ptr<CAFilter> filter);

private:
    std::string blurQuality_;
    std::shared_ptr<CAFilter> blurFilter_;
    std::shared_ptr<CAFilter> colorFilter_;
};

}  // namespace lumora
