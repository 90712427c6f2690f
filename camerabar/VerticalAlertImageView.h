#pragma once
// The vertical-tilt alert: a warning icon in the host's top bar that shows only while
// highlighted (filming video with the phone upright). Its class functions also make and turn the
// two horizon views (`horizontalAlignmentBase`, `horizontalAlignmentIndicator`).

#include "platform/ui/UIImageView.h"

namespace lumora {

class VerticalAlertImageView : public UIImageView {
public:
    LU_OBJC_CLASS(VerticalAlertImageView)
    // No image, the alert as highlighted image, tag 101, no touches.
    explicit VerticalAlertImageView(CGRect frame);

    // The ring and the needle, 320 x 320 points a little above the screen's centre, transparent,
    // on the camera view (base below needle). Nothing when both exist already.
    static void CreateHorizontalAlignmentViews();
    // Turns both horizon views (0.4 s) to the stored device orientation; nothing for face up,
    // face down or unknown, or when neither view exists.
    static void UpdateHorizontalAlignmentViewsOrientation();
    // The horizon views' transform for `_UIDeviceOrientation`: 1 identity, 2 half turn,
    // 3 (0, -1, 1, 0), 4 (0, 1, -1, 0), anything else all zero.
    static CGAffineTransform getTransformationFromDeviceOrientation();
    static CGAffineTransform getTransformation();
};

// The horizon views as image views, or null.
UIImageView* horizonBaseView();
UIImageView* horizonIndicatorView();

}  // namespace lumora
