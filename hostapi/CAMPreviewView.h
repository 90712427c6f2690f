#pragma once
// The host's preview view: focus and exposure indicators over the live picture.

#include "hostapi/HostTypes.h"

class CAMPreviewView : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMPreviewView)

    virtual void _setShowExposureBiasSlider(bool show) = 0;
    virtual void showContinuousAutoFocusView() = 0;
    virtual CGPoint currentFocusPoint() const = 0;
    // The frames of the last exposure and focus indicators, in the preview's coordinates.
    virtual CGRect lastExposureFrame() const = 0;
    virtual CGRect lastFocusFrame() const = 0;
};
