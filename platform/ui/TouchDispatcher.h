#pragma once
// Touch delivery for UIApplication (internal to the UI library): tracks the fingers that are
// down, feeds gesture recognisers before views, cancels a view's touches when a recogniser
// that cancels touches recognises, and keeps recognisers from recognising together.

#include <map>
#include <memory>
#include <vector>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouchSet.h"

class UIView;
class UIEvent;

class TouchDispatcher {
public:
    void send(const std::vector<TouchInput>& inputs, UIWindow* window);
    std::size_t activeCount() const { return active_.size(); }
    bool mayRecognize(UIGestureRecognizer* recognizer);
    void didRecognize(UIGestureRecognizer* recognizer);

    // Successive taps within this time and distance count up the tap count.
    static constexpr double kMultiTapInterval = 0.35;
    static constexpr double kMultiTapDistance = 45;

private:
    struct Active {
        std::shared_ptr<UITouch> touch;
        bool viewBegan = false;
        bool viewCancelled = false;
    };
    enum class Phase { Began, Moved, Ended, Cancelled };

    std::shared_ptr<UITouch> beginTouch(const TouchInput& input, UIWindow* window, double now);
    void deliverToRecognizers(const UITouchSet& touches, Phase phase, UIEvent* event);
    void deliverToViews(const UITouchSet& touches, Phase phase, UIEvent* event);
    void cancelViewTouch(Active& active, UIEvent* event);
    Active* find(const UITouch* touch);
    std::shared_ptr<UIEvent> currentEvent() const;

    std::map<int, Active> active_;
    double lastTapTime_ = -1;
    CGPoint lastTapPoint_;
    int lastTapCount_ = 0;
};
