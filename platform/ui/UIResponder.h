#pragma once
// The responder chain: a view passes touches it does not handle to its next responder (its
// view controller if it has one, else its superview), as the platform does.

#include "platform/objc/NSObject.h"
#include "platform/ui/UITouchSet.h"

class UIEvent;

class UIResponder : public NSObject {
public:
    LU_OBJC_CLASS(UIResponder)

    virtual UIResponder* nextResponder() const { return nullptr; }

    // The defaults forward to the next responder.
    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
};
