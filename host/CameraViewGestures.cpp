// The camera view's gestures: tap to focus and expose, two-finger tap to split focus and
// exposure, pans of the focus square, of the exposure bias and between modes, long press to
// lock focus and exposure. Only touches on the camera view itself (not on its bars' controls)
// reach them.

#include <cmath>

#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "host/HostCall.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UITouch.h"

namespace host {

class CameraGestureDelegate : public UIGestureRecognizerDelegate {
public:
    explicit CameraGestureDelegate(const CameraView* view) : view_(view) {}
    bool gestureRecognizerShouldReceiveTouch(UIGestureRecognizer*, UITouch* touch) override {
        return touch != nullptr && touch->view() == view_;
    }

private:
    const CameraView* view_;  // the delegate's owner
};

void CameraView::buildGestures() {
    const std::shared_ptr<NSObject> self = shared_from_this();
    gestureDelegate_ = std::make_shared<CameraGestureDelegate>(this);
    tap_ = std::make_shared<UITapGestureRecognizer>(
        self, [this](UIGestureRecognizer* g) { handleTap(g); });
    splitTap_ = std::make_shared<UITapGestureRecognizer>(self, [this](UIGestureRecognizer* g) {
        if (g->state() == UIGestureRecognizerStateEnded) {
            call<hostsel::CAMCameraView::_handleSplitFocusAndExposureTap>(this, g);
        }
    });
    splitTap_->setNumberOfTouchesRequired(2);
    pan_ = std::make_shared<UIPanGestureRecognizer>(self, [this](UIGestureRecognizer* g) {
        handlePan(static_cast<UIPanGestureRecognizer*>(g));
    });
    longPress_ =
        std::make_shared<UILongPressGestureRecognizer>(self, [this](UIGestureRecognizer* g) {
            call<hostsel::CAMCameraView::_handleOverlayViewLongPress>(this, g);
        });
    for (const std::shared_ptr<UIGestureRecognizer>& g :
         std::initializer_list<std::shared_ptr<UIGestureRecognizer>>{tap_, splitTap_, pan_,
                                                                     longPress_}) {
        g->setCancelsTouchesInView(false);
        g->setDelegate(gestureDelegate_);
        addGestureRecognizer(g);
    }
}

CGPoint CameraView::normalisedInPreview(CGPoint p) const {
    const CGRect b = preview_->bounds();
    if (b.size.width <= 0 || b.size.height <= 0) return CGPointMake(0.5, 0.5);
    return CGPointMake(std::clamp(p.x / b.size.width, 0.0, 1.0),
                       std::clamp(p.y / b.size.height, 0.0, 1.0));
}

// ---- Tap: focus and exposure at the point

void CameraView::handleTap(UIGestureRecognizer* gesture) {
    if (gesture == nullptr || gesture->state() != UIGestureRecognizerStateEnded) return;
    auto c = controller();
    if (!c) return;
    const CGPoint p = gesture->locationInView(preview_.get());
    // Taps outside the picture (on a bar's empty part) change nothing.
    if (!CGRectContainsPoint(preview_->bounds(), p) || gridShown_) return;
    id answered = call<hostsel::CAMCameraView::videoPreviewView>(this);
    PreviewView* preview = dynamic_cast<PreviewView*>(answered);
    if (preview == nullptr) preview = preview_.get();
    if (call<hostsel::CAMCaptureController::canChangeFocusOrExposure>(c.get())) {
        if (c->userLockedFocus() || c->userLockedExposure()) c->setUserLockedFocus(false, false);
        const bool show = call<hostsel::CAMCameraView::_shouldShowFocus>(this);
        _clearFocusViews();
        _startFocus(true, true, p, show);
        if (show &&
            call<hostsel::CAMCameraView::_allowExposureBiasForMode>(this, c->cameraMode())) {
            preview->_setShowExposureBiasSlider(true);
        }
    }
    call<hostsel::CAMCameraView::_finishCommonTapGesture>(this);
}

bool CameraView::hostShouldShowFocus() const {
    auto c = controller();
    return c && c->isSessionRunning() && c->cameraMode() != 3;
}

bool CameraView::hostAllowExposureBiasForMode(long mode) const {
    return mode == 0 || mode == 1 || mode == 2 || mode == 4 || mode == 6;
}

bool CameraView::hostFinishCommonTapGesture() {
    return preview_->isShowingFocus();
}

void CameraView::_clearFocusViews() {
    preview_->clearFocusViews();
}

void CameraView::_startFocus(bool focus, bool andExposure, CGPoint atPoint,
                             bool startFocusAnimation) {
    auto c = controller();
    if (!c) return;
    if (focus) preview_->setFocusPoint(atPoint, startFocusAnimation);
    if (andExposure && split_) preview_->setExposurePoint(atPoint);
    preview_->setExposureBias(0);
    c->setExposureBias(0);
    c->focusAndExpose(focus, andExposure, normalisedInPreview(atPoint));
    c->_setSubjectAreaChangeMonitoringEnabled(true);
}

void CameraView::_panFocus(bool focus, bool exposure, CGPoint atPoint) {
    auto c = controller();
    if (!c) return;
    if (focus) preview_->setFocusPoint(atPoint, true);
    if (exposure && split_) preview_->setExposurePoint(atPoint);
    c->focusAndExpose(focus, exposure, normalisedInPreview(atPoint));
}

// ---- Two-finger tap: split focus and exposure

void CameraView::hostSplitFocusAndExposureTap(id) {
    call<hostsel::CAMCameraView::_setSplitFocusAndExposure>(this, !split_);
}

void CameraView::hostSetSplitFocusAndExposure(bool split) {
    split_ = split;
    preview_->setSplit(split);
    if (split) {
        const CGPoint f = preview_->currentFocusPoint();
        preview_->setExposurePoint(CGPointMake(f.x + 60, f.y));
    }
}

// ---- Pans

void CameraView::handlePan(UIPanGestureRecognizer* g) {
    if (g == nullptr) return;
    const UIGestureRecognizerState state = g->state();
    if (state == UIGestureRecognizerStateBegan) {
        const CGPoint t = g->translationInView(this);
        const CGPoint p = g->locationInView(preview_.get());
        panStartPoint_ = CGPointMake(p.x - t.x, p.y - t.y);
        panStartBias_ = preview_->exposureBias();
        panKind_ = PanKind::None;
        const bool showing = preview_->isShowingFocus();
        const bool onFocus =
            showing &&
            CGRectContainsPoint(CGRectInset(preview_->lastFocusFrame(), -20, -20), panStartPoint_);
        const bool onExposure =
            showing && split_ &&
            CGRectContainsPoint(CGRectInset(preview_->lastExposureFrame(), -20, -20),
                                panStartPoint_);
        if ((onFocus || onExposure) && call<hostsel::CAMCameraView::_allowFocusRectPanning>(this)) {
            panKind_ = PanKind::FocusRect;
            focusPanMovesFocus_ = !split_ || onFocus;
            focusPanMovesExposure_ = !split_ || !onFocus;
        } else if (std::fabs(t.x) > std::fabs(t.y)) {
            panKind_ = PanKind::ModeSwipe;
            if (preview_->isShowingExposureBiasSlider() &&
                call<hostsel::CAMCameraView::_modeChangeSwipeMatchesExposureBiasPanDirection>(
                    this)) {
                panKind_ = PanKind::ExposureBias;
            }
        } else if (preview_->isShowingExposureBiasSlider()) {
            panKind_ = PanKind::ExposureBias;
        }
    }
    switch (panKind_) {
        case PanKind::FocusRect:
            call<hostsel::CAMCameraView::_handleFocusRectPan>(this, g);
            break;
        case PanKind::ExposureBias:
            call<hostsel::CAMCameraView::_handleExposureBiasPan>(this, g);
            break;
        case PanKind::ModeSwipe:
            if (state == UIGestureRecognizerStateEnded) {
                const double dx = g->translationInView(this).x;
                if (std::fabs(dx) >= 40) swipeModes(dx < 0 ? 1 : -1);
            }
            break;
        case PanKind::None:
            break;
    }
    if (state == UIGestureRecognizerStateEnded || state == UIGestureRecognizerStateCancelled) {
        panKind_ = PanKind::None;
    }
}

void CameraView::hostHandleFocusRectPan(id gesture) {
    auto* g = dynamic_cast<UIGestureRecognizer*>(gesture);
    if (g == nullptr) return;
    const CGRect b = preview_->bounds();
    CGPoint p = g->locationInView(preview_.get());
    p = CGPointMake(std::clamp<double>(p.x, 0, b.size.width),
                    std::clamp<double>(p.y, 0, b.size.height));
    switch (g->state()) {
        case UIGestureRecognizerStateBegan:
        case UIGestureRecognizerStateChanged:
            _panFocus(focusPanMovesFocus_, focusPanMovesExposure_, p);
            break;
        case UIGestureRecognizerStateEnded:
            call<hostsel::CAMCameraView::_endPanFocus_exposure_atPoint>(this, focusPanMovesFocus_,
                                                                        focusPanMovesExposure_, p);
            break;
        default:
            break;
    }
}

void CameraView::hostEndPanFocus(bool focus, bool exposure, CGPoint point) {
    _panFocus(focus, exposure, point);
}

// Up (or, held landscape, across) brightens: 100 points per EV, within +-2 EV.
void CameraView::hostHandleExposureBiasPan(id gesture) {
    auto* g = dynamic_cast<UIPanGestureRecognizer*>(gesture);
    auto c = controller();
    if (g == nullptr || !c) return;
    const CGPoint t = g->translationInView(this);
    const long o = c->captureOrientation();
    double along = -t.y;
    if (o == 3) along = t.x;
    if (o == 4) along = -t.x;
    const double bias = std::clamp(panStartBias_ + along / 100.0, -2.0, 2.0);
    preview_->setExposureBias(bias);
    c->setExposureBias(bias);
    preview_->setNeedsDisplay();
}

bool CameraView::hostSwipeMatchesExposureBiasPan() const {
    auto c = controller();
    return c && (c->captureOrientation() == 3 || c->captureOrientation() == 4);
}

// ---- Long press: lock focus and exposure where the finger rests

void CameraView::hostHandleLongPress(id gesture) {
    auto* g = dynamic_cast<UIGestureRecognizer*>(gesture);
    auto c = controller();
    if (g == nullptr || !c || g->state() != UIGestureRecognizerStateBegan) return;
    const CGPoint p = g->locationInView(preview_.get());
    if (!CGRectContainsPoint(preview_->bounds(), p) || gridShown_) return;
    if (!call<hostsel::CAMCaptureController::canChangeFocusOrExposure>(c.get())) return;
    _clearFocusViews();
    _startFocus(true, true, p, true);
    // The lock takes hold once focus has settled.
    std::weak_ptr<CaptureController> weak = c;
    platform::RunLoop::main().schedule(0.6, [weak] {
        if (auto c = weak.lock()) c->setUserLockedFocus(true, true);
    });
}

}  // namespace host
