#pragma once
// The host's frame-rate badge. The add-on creates one through the class method declared as
// hostsel::CAMSlalomIndicatorView::initWithFrame (allocation and initialisation in one call).

#include <memory>

#include "hostapi/HostTypes.h"

class CAMSlalomIndicatorView : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMSlalomIndicatorView)
    virtual void setFramesPerSecond(long framesPerSecond) = 0;
    // The label showing the number (a UILabel once the toolkit lands).
    virtual std::shared_ptr<NSObject> _framerateLabel() const = 0;
};
