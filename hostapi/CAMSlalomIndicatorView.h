#pragma once
// The host's frame-rate badge. The add-on creates one through the class method declared as
// hostsel::CAMSlalomIndicatorView::initWithFrame (allocation and initialisation in one call).

#include <memory>

#include "hostapi/HostTypes.h"
#include "platform/ui/UILabel.h"

class CAMSlalomIndicatorView : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMSlalomIndicatorView)
    virtual void setFramesPerSecond(long framesPerSecond) = 0;
    // The label showing the number.
    virtual std::shared_ptr<UILabel> _framerateLabel() const = 0;
};
