#pragma once
// One button of the resolution picker: a small connection-type picture over "<height>p", tagged
// with the height. A tap runs the callback with the tap recogniser (whose view's tag is the
// height).

#include <memory>

#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIView.h"

namespace lumora {

// The picture of a height and its frame inside the button.
struct DimensionButtonPicture {
    const char* file;
    CGRect frame;
};
DimensionButtonPicture dimensionButtonPicture(int height);

class CustomDimensionViewButton : public UIView {
public:
    LU_OBJC_CLASS(CustomDimensionViewButton)
    // initWithFrame:callbackOwner:callback:tag: without its picture the button stays empty and
    // untagged (and takes no taps).
    CustomDimensionViewButton(CGRect frame, const std::shared_ptr<NSObject>& owner,
                              UIGestureRecognizer::Action callback, int height);

    // Also true for points inside the button's frame taken in its own coordinates, which widens
    // the touch area of buttons away from the panel's origin.
    bool pointInside(CGPoint point, UIEvent* event) override;
};

}  // namespace lumora
