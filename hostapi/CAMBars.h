#pragma once
// The host's top and bottom bars and the zoom slider.

#include <memory>

#include "hostapi/HostTypes.h"
#include "platform/ui/UIButton.h"

class CAMTopBar : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMTopBar)
    // The camera flip button.
    virtual std::shared_ptr<UIButton> flipButton() const = 0;
};

class CAMBottomBar : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMBottomBar)
    // The photo thumbnail beside which the add-on places its wrench button.
    virtual std::shared_ptr<UIButton> imageWell() const = 0;
};

class CAMZoomSlider : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMZoomSlider)
    virtual void makeInvisible() = 0;
};
