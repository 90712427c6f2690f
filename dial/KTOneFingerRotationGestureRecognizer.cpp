#include "dial/KTOneFingerRotationGestureRecognizer.h"

#include <cmath>

#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

namespace lumora {

double KTOneFingerRotationGestureRecognizer::sweptAngle(CGPoint centre, CGPoint previous,
                                                        CGPoint current) {
    const float now = std::atan2(static_cast<float>(current.y - centre.y),
                                 static_cast<float>(current.x - centre.x));
    const float before = std::atan2(static_cast<float>(previous.y - centre.y),
                                    static_cast<float>(previous.x - centre.x));
    return static_cast<double>(now - before);
}

// The gesture begins with the first movement, not with the touch.
void KTOneFingerRotationGestureRecognizer::touchesBegan(const UITouchSet&, UIEvent*) {}

void KTOneFingerRotationGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
    // A gesture that failed or ended waits for its touches to go.
    if (isFinished()) return;
    // The rotation is set before the state moves: each state change runs the action, which
    // reads it.
    const UITouch* touch = touches.anyObject();
    const UIView* v = view();
    if (touch != nullptr && v != nullptr) {
        const CGRect b = v->bounds();
        const CGPoint centre = CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b));
        rotation_ = sweptAngle(centre, touch->previousLocationInView(v), touch->locationInView(v));
    }
    setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateBegan
                                                         : UIGestureRecognizerStateChanged);
}

void KTOneFingerRotationGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {
    setState(state() == UIGestureRecognizerStateChanged ? UIGestureRecognizerStateEnded
                                                        : UIGestureRecognizerStateFailed);
}

void KTOneFingerRotationGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    setState(UIGestureRecognizerStateFailed);
}

}  // namespace lumora
