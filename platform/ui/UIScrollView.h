#pragma once
// A view whose bounds origin (the content offset) moves over a larger content area. A finger
// drag moves the content (through the scroll view's own pan recogniser); on release the offset
// settles into range, with paging onto the nearest page (a fast flick moves one page on),
// without paging where the finger's speed carries it (slowing to rest), in a 0.3 s movement on
// the virtual clock, stepped at 60 Hz with scrollViewDidScroll at each
// step. The delegate hears: willBeginDragging, didScroll..., didEndDragging(willDecelerate),
// then willBeginDecelerating, didScroll..., didEndDecelerating when it settles.

#include <memory>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIScrollViewDelegate.h"
#include "platform/ui/UIView.h"

class UIPanGestureRecognizer;

class UIScrollView : public UIView {
public:
    LU_OBJC_CLASS(UIScrollView)
    UIScrollView();
    explicit UIScrollView(CGRect frame);
    ~UIScrollView() override;

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    // Calls scrollViewDidScroll when the offset changes.
    void setContentOffset(CGPoint offset);
    // Animated: moves over 0.3 s, then scrollViewDidEndScrollingAnimation (nothing when the
    // offset is already there). A drag stops a running movement.
    void setContentOffset(CGPoint offset, bool animated);

    bool isPagingEnabled() const { return paging_; }
    void setPagingEnabled(bool p) { paging_ = p; }
    bool bounces() const { return bounces_; }
    void setBounces(bool b) { bounces_ = b; }
    bool alwaysBounceHorizontal() const { return alwaysBounceH_; }
    void setAlwaysBounceHorizontal(bool b) { alwaysBounceH_ = b; }
    bool alwaysBounceVertical() const { return alwaysBounceV_; }
    void setAlwaysBounceVertical(bool b) { alwaysBounceV_ = b; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled);
    bool showsHorizontalScrollIndicator() const { return showsH_; }
    void setShowsHorizontalScrollIndicator(bool s) { showsH_ = s; }
    bool showsVerticalScrollIndicator() const { return showsV_; }
    void setShowsVerticalScrollIndicator(bool s) { showsV_ = s; }
    bool delaysContentTouches() const { return delaysContentTouches_; }
    void setDelaysContentTouches(bool d) { delaysContentTouches_ = d; }

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }
    bool isScrollAnimating() const { return animation_ != 0; }
    // The delegate's callbacks run on the main run loop; a movement keeps the view alive only
    // weakly, so a scroll view that goes mid-movement simply stops.

    void setDelegate(const std::shared_ptr<UIScrollViewDelegate>& d) { delegate_ = d; }
    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    UIPanGestureRecognizer* panGestureRecognizer() const { return pan_.get(); }

    static constexpr double kSettleDuration = 0.3;
    // A release faster than this (points per second) with paging moves one page on.
    static constexpr double kFlickVelocity = 300;

private:
    void handlePan(UIPanGestureRecognizer* pan);
    void endDrag(UIPanGestureRecognizer* pan);
    CGPoint maxOffset() const;
    CGPoint settledOffset(CGPoint velocity) const;
    void animateTo(CGPoint target, bool deceleration);
    void step();
    void stopAnimation();

    CGSize contentSize_;
    bool paging_ = false;
    bool bounces_ = true;
    bool alwaysBounceH_ = false;
    bool alwaysBounceV_ = false;
    bool scrollEnabled_ = true;
    bool showsH_ = true;
    bool showsV_ = true;
    bool delaysContentTouches_ = true;
    bool dragging_ = false;
    bool decelerating_ = false;
    CGPoint dragStartOffset_;
    std::weak_ptr<UIScrollViewDelegate> delegate_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;

    // The running movement.
    platform::EventId animation_ = 0;
    CGPoint animFrom_, animTo_;
    double animStart_ = 0;
    bool animDeceleration_ = false;
    unsigned generation_ = 0;  // changes whenever a movement is stopped or replaced
};
