#include "platform/ui/TouchDispatcher.h"

#include <algorithm>
#include <cmath>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIWindow.h"

namespace {

bool listsRecognizer(const UITouch& t, const UIGestureRecognizer* gr) {
    for (const auto& w : t.gestureRecognizers()) {
        if (w.lock().get() == gr) return true;
    }
    return false;
}

std::shared_ptr<UIView> owned(UIView* v) {
    if (v == nullptr) return nullptr;
    auto p = v->weak_from_this().lock();
    return p ? std::static_pointer_cast<UIView>(p) : nullptr;
}

}  // namespace

std::shared_ptr<UITouch> TouchDispatcher::beginTouch(const TouchInput& input, UIWindow* window,
                                                     double now) {
    window->layoutIfNeeded();
    UIView* hit = window->hitTest(input.location, nullptr);
    int tapCount = 1;
    if (lastTapTime_ >= 0 && now - lastTapTime_ <= kMultiTapInterval &&
        std::hypot(input.location.x - lastTapPoint_.x, input.location.y - lastTapPoint_.y) <=
            kMultiTapDistance) {
        tapCount = lastTapCount_ + 1;
    }
    auto touch = std::make_shared<UITouch>();
    touch->begin(owned(hit), owned(window), input.location, tapCount, now);
    // The recognisers of the hit view and its ancestors, deepest first.
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers;
    for (UIView* v = hit; v != nullptr; v = v->superview()) {
        const auto list = v->gestureRecognizers();
        for (const auto& gr : list) {
            if (gr->isEnabled() && gr->shouldReceiveTouch(touch.get())) recognizers.push_back(gr);
        }
    }
    touch->setGestureRecognizers(std::move(recognizers));
    return touch;
}

void TouchDispatcher::send(const std::vector<TouchInput>& inputs, UIWindow* window) {
    if (window == nullptr) return;
    const double now = platform::RunLoop::main().now();
    UITouchSet began, moved, ended, cancelled;
    for (const TouchInput& in : inputs) {
        if (!std::isfinite(in.location.x) || !std::isfinite(in.location.y)) continue;
        auto it = active_.find(in.finger);
        if (in.phase == UITouchPhaseBegan) {
            if (it != active_.end()) continue;
            auto touch = beginTouch(in, window, now);
            active_[in.finger] = Active{touch};
            began.add(touch);
            continue;
        }
        if (it == active_.end()) continue;
        auto& touch = it->second.touch;
        touch->update(in.phase, in.location, now);
        switch (in.phase) {
            case UITouchPhaseEnded:
                ended.add(touch);
                break;
            case UITouchPhaseCancelled:
                cancelled.add(touch);
                break;
            default:
                moved.add(touch);
                break;
        }
    }
    auto event = currentEvent();
    deliverToRecognizers(began, Phase::Began, event.get());
    deliverToRecognizers(moved, Phase::Moved, event.get());
    deliverToRecognizers(ended, Phase::Ended, event.get());
    deliverToRecognizers(cancelled, Phase::Cancelled, event.get());
    deliverToViews(began, Phase::Began, event.get());
    deliverToViews(moved, Phase::Moved, event.get());
    deliverToViews(ended, Phase::Ended, event.get());
    deliverToViews(cancelled, Phase::Cancelled, event.get());

    UITouchSet finished;
    for (const auto& t : ended) finished.add(t);
    for (const auto& t : cancelled) finished.add(t);
    for (const auto& t : finished) {
        for (const auto& w : t->gestureRecognizers()) {
            if (auto gr = w.lock()) gr->forgetTouches(finished);
        }
        if (t->phase() == UITouchPhaseEnded) {
            lastTapTime_ = now;
            lastTapPoint_ = t->windowLocation();
            lastTapCount_ = t->tapCount();
        }
        std::erase_if(active_, [&](const auto& kv) { return kv.second.touch == t; });
    }
}

std::shared_ptr<UIEvent> TouchDispatcher::currentEvent() const {
    UITouchSet all;
    for (const auto& [finger, a] : active_) all.add(a.touch);
    return std::make_shared<UIEvent>(std::move(all), platform::RunLoop::main().now());
}

void TouchDispatcher::deliverToRecognizers(const UITouchSet& touches, Phase phase, UIEvent* event) {
    if (touches.empty()) return;
    std::vector<std::shared_ptr<UIGestureRecognizer>> order;
    for (const auto& t : touches) {
        for (const auto& w : t->gestureRecognizers()) {
            auto gr = w.lock();
            if (gr != nullptr && std::find(order.begin(), order.end(), gr) == order.end()) {
                order.push_back(gr);
            }
        }
    }
    for (const auto& gr : order) {
        if (!gr->isEnabled() || gr->isFinished() || gr->view() == nullptr) continue;
        UITouchSet subset;
        for (const auto& t : touches) {
            if (listsRecognizer(*t, gr.get())) subset.add(t);
        }
        switch (phase) {
            case Phase::Began:
                for (const auto& t : subset) gr->trackTouch(t);
                gr->touchesBegan(subset, event);
                break;
            case Phase::Moved:
                gr->touchesMoved(subset, event);
                break;
            case Phase::Ended:
                gr->touchesEnded(subset, event);
                break;
            case Phase::Cancelled:
                gr->touchesCancelled(subset, event);
                break;
        }
    }
}

void TouchDispatcher::deliverToViews(const UITouchSet& touches, Phase phase, UIEvent* event) {
    // Touches grouped by their view, in order of first appearance.
    std::vector<std::pair<std::shared_ptr<UIView>, UITouchSet>> groups;
    for (const auto& t : touches) {
        Active* a = find(t.get());
        if (a == nullptr || a->viewCancelled) continue;
        bool cancelledByRecognizer = false;
        for (const auto& w : t->gestureRecognizers()) {
            auto gr = w.lock();
            if (gr != nullptr && gr->cancelsTouchesInView() &&
                (gr->isActive() || gr->state() == UIGestureRecognizerStateEnded)) {
                cancelledByRecognizer = true;
            }
        }
        if (cancelledByRecognizer) {
            cancelViewTouch(*a, event);
            continue;
        }
        auto view = owned(t->view());
        if (view == nullptr) continue;
        if (phase == Phase::Began) a->viewBegan = true;
        auto g = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& p) { return p.first == view; });
        if (g == groups.end()) {
            groups.push_back({view, UITouchSet{}});
            g = groups.end() - 1;
        }
        g->second.add(t);
    }
    for (auto& [view, set] : groups) {
        switch (phase) {
            case Phase::Began:
                view->touchesBegan(set, event);
                break;
            case Phase::Moved:
                view->touchesMoved(set, event);
                break;
            case Phase::Ended:
                view->touchesEnded(set, event);
                break;
            case Phase::Cancelled:
                view->touchesCancelled(set, event);
                break;
        }
    }
}

void TouchDispatcher::cancelViewTouch(Active& a, UIEvent* event) {
    if (a.viewCancelled) return;
    a.viewCancelled = true;
    if (!a.viewBegan) return;
    auto view = owned(a.touch->view());
    if (view == nullptr) return;
    std::shared_ptr<UIEvent> own;
    if (event == nullptr) {
        own = currentEvent();
        event = own.get();
    }
    view->touchesCancelled(UITouchSet({a.touch}), event);
}

TouchDispatcher::Active* TouchDispatcher::find(const UITouch* touch) {
    for (auto& [finger, a] : active_) {
        if (a.touch.get() == touch) return &a;
    }
    return nullptr;
}

bool TouchDispatcher::mayRecognize(UIGestureRecognizer* gr) {
    for (auto& [finger, a] : active_) {
        if (!listsRecognizer(*a.touch, gr)) continue;
        for (const auto& w : a.touch->gestureRecognizers()) {
            auto other = w.lock();
            if (other == nullptr || other.get() == gr) continue;
            const bool recognised =
                other->isActive() || other->state() == UIGestureRecognizerStateEnded;
            if (recognised && !gr->allowsSimultaneous(other.get())) return false;
        }
    }
    return true;
}

void TouchDispatcher::didRecognize(UIGestureRecognizer* gr) {
    std::vector<Active*> affected;
    for (auto& [finger, a] : active_) {
        if (listsRecognizer(*a.touch, gr)) affected.push_back(&a);
    }
    for (Active* a : affected) {
        for (const auto& w : a->touch->gestureRecognizers()) {
            auto other = w.lock();
            if (other == nullptr || other.get() == gr) continue;
            if (other->state() == UIGestureRecognizerStatePossible &&
                !gr->allowsSimultaneous(other.get())) {
                other->setState(UIGestureRecognizerStateFailed);
            }
        }
    }
    if (!gr->cancelsTouchesInView()) return;
    for (Active* a : affected) cancelViewTouch(*a, nullptr);
}
