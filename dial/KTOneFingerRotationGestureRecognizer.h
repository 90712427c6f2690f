#pragma once
// Turns one finger circling the centre of its view into a rotation, so a round dial turns like
// a knob. `rotation` is the angle swept by the last finger movement only (radians, positive
// clockwise on screen), not the sum since the gesture began.
//
// States: the first movement begins the gesture, later movements change it; lifting the finger
// ends it after at least two movements and fails it after one; a cancelled touch fails it.

#include "platform/geometry/Geometry.h"
#include "platform/ui/UIGestureRecognizer.h"

namespace lumora {

class KTOneFingerRotationGestureRecognizer : public UIGestureRecognizer {
public:
    LU_OBJC_CLASS(KTOneFingerRotationGestureRecognizer)
    using UIGestureRecognizer::UIGestureRecognizer;

    double rotation() const { return rotation_; }
    void setRotation(double rotation) { rotation_ = rotation; }

    // The angle from `previous` to `current` about `centre`: the difference of the two
    // directions, each taken in single precision. Not unwrapped: crossing the line left of the
    // centre gives a value near plus or minus two pi.
    static double sweptAngle(CGPoint centre, CGPoint previous, CGPoint current);

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

private:
    double rotation_ = 0;
};

}  // namespace lumora
