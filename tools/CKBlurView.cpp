#include "tools/CKBlurView.h"

#include <variant>

namespace lumora {

CKBlurView::CKBlurView(CGRect frame)
    : UIView(frame), blurFilter_(CAFilter::filterWithName(kCAFilterGaussianBlur)) {
    layer().setFilters({blurFilter_});
    blurQuality_ = CKBlurViewQualityDefault;
    setBlurRadius(5);
}

void CKBlurView::setBlurRadius(float radius) {
    blurFilter_->setValue(CKBlurViewRadiusKey, static_cast<double>(radius));
}

float CKBlurView::blurRadius() const {
    return static_cast<float>(blurFilter_->numberForKey(CKBlurViewRadiusKey).value_or(0));
}

void CKBlurView::setQuality(const std::string& quality) {
    blurFilter_->setValue(CKBlurViewQualityKey, quality);
}

std::string CKBlurView::quality() const {
    const CAFilterValue* v = blurFilter_->valueForKey(CKBlurViewQualityKey);
    const auto* s = v != nullptr ? std::get_if<std::string>(v) : nullptr;
    return s != nullptr ? *s : std::string();
}

void CKBlurView::setBlurCroppingRect(CGRect rect) {
    blurFilter_->setValue(CKBlurViewBoundsKey, rect);
}

CGRect CKBlurView::blurCroppingRect() const {
    const CAFilterValue* v = blurFilter_->valueForKey(CKBlurViewBoundsKey);
    const auto* r = v != nullptr ? std::get_if<CGRect>(v) : nullptr;
    return r != nullptr ? *r : CGRectNull;
}

void CKBlurView::setBlurEdges(bool softEdges) {
    blurFilter_->setValue(CKBlurViewHardEdgesKey, softEdges ? 0.0 : 1.0);
}

bool CKBlurView::blurEdges() const {
    // An unset switch reads as 0: soft edges.
    return blurFilter_->numberForKey(CKBlurViewHardEdgesKey).value_or(0) == 0;
}

void CKBlurView::setTintColorFilter(std::shared_ptr<CAFilter> filter) {
    colorFilter_ = std::move(filter);
    if (colorFilter_ == nullptr) {
        layer().setFilters({blurFilter_});
    } else {
        layer().setFilters({colorFilter_, blurFilter_});
    }
}

}  // namespace lumora
