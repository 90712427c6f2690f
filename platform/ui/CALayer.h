#pragma once
// The part of a view's layer the add-on touches: rounded corners with masking, a border, and
// the filter list that makes a backdrop view (a blur of what lies behind it). A layer belongs
// to its view (UIView::layer()); it is not a separate node of the tree.

#include <memory>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/ui/CAFilter.h"
#include "platform/ui/UIColor.h"

class CALayer {
public:
    CALayer() = default;
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    CGFloat cornerRadius() const { return cornerRadius_; }
    // Negative or NaN radii count as 0.
    void setCornerRadius(CGFloat r) { cornerRadius_ = (r > 0) ? r : 0; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool m) { masksToBounds_ = m; }
    CGFloat borderWidth() const { return borderWidth_; }
    void setBorderWidth(CGFloat w) { borderWidth_ = (w > 0) ? w : 0; }
    UIColor borderColor() const { return borderColor_; }
    void setBorderColor(UIColor c) { borderColor_ = c; }

    // Filters applied, in order, to the backdrop behind the layer (CABackdropLayer's filters).
    const std::vector<std::shared_ptr<CAFilter>>& filters() const { return filters_; }
    void setFilters(std::vector<std::shared_ptr<CAFilter>> f) { filters_ = std::move(f); }
    // A layer with filters samples what was drawn below it (the backdrop layer's behaviour).
    bool isBackdrop() const { return !filters_.empty(); }

private:
    CGFloat cornerRadius_ = 0;
    bool masksToBounds_ = false;
    CGFloat borderWidth_ = 0;
    UIColor borderColor_ = UIColor::blackColor();
    std::vector<std::shared_ptr<CAFilter>> filters_;
};
