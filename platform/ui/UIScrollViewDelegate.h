#pragma once
// What a scroll view tells its delegate (held weakly). Every method is optional.

class UIScrollView;

class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(UIScrollView*) {}
    virtual void scrollViewWillBeginDragging(UIScrollView*) {}
    virtual void scrollViewDidEndDragging(UIScrollView*, bool /*willDecelerate*/) {}
    virtual void scrollViewWillBeginDecelerating(UIScrollView*) {}
    virtual void scrollViewDidEndDecelerating(UIScrollView*) {}
    // After a programmatic setContentOffset(..., animated = true) arrives.
    virtual void scrollViewDidEndScrollingAnimation(UIScrollView*) {}
};
