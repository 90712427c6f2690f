#pragma once
// The set of touches handed to touchesBegan/Moved/Ended/Cancelled (an NSSet of UITouch).

#include <cstddef>
#include <memory>
#include <vector>

class UITouch;

class UITouchSet {
public:
    UITouchSet() = default;
    explicit UITouchSet(std::vector<std::shared_ptr<UITouch>> touches)
        : touches_(std::move(touches)) {}

    // Any one touch (the first); null for an empty set.
    UITouch* anyObject() const { return touches_.empty() ? nullptr : touches_.front().get(); }
    std::size_t count() const { return touches_.size(); }
    bool empty() const { return touches_.empty(); }
    bool contains(const UITouch* t) const {
        for (const auto& x : touches_) {
            if (x.get() == t) return true;
        }
        return false;
    }
    void add(std::shared_ptr<UITouch> t) {
        if (t != nullptr && !contains(t.get())) touches_.push_back(std::move(t));
    }
    auto begin() const { return touches_.begin(); }
    auto end() const { return touches_.end(); }
    const std::vector<std::shared_ptr<UITouch>>& all() const { return touches_; }

private:
    std::vector<std::shared_ptr<UITouch>> touches_;
};
