#pragma once
// The host's top and bottom bars and the zoom slider.

#include <memory>

#include "hostapi/HostTypes.h"

class CAMTopBar : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMTopBar)
    // The camera flip button (a UIButton once the toolkit lands).
    virtual std::shared_ptr<NSObject> flipButton() const = 0;
};

class CAMBottomBar : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMBottomBar)
    // The photo thumbnail beside which the add-on places its wrench button.
    virtual std::shared_ptr<NSObject> imageWell() const = 0;
};

class CAMZoomSlider : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMZoomSlider)
    virtual void makeInvisible() = 0;
};
