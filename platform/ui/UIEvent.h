#pragma once
// A touch event: every touch currently on the screen, at one moment.

#include "platform/objc/NSObject.h"
#include "platform/ui/UITouchSet.h"

class UIEvent : public NSObject {
public:
    LU_OBJC_CLASS(UIEvent)
    UIEvent(UITouchSet touches, double timestamp)
        : touches_(std::move(touches)), timestamp_(timestamp) {}

    const UITouchSet& allTouches() const { return touches_; }
    double timestamp() const { return timestamp_; }

private:
    UITouchSet touches_;
    double timestamp_;
};
