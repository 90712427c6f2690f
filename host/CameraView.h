#pragma once
// The host's camera view: the preview with the top and bottom bars, the filter grid, and the
// gestures (tap to focus, two-finger tap to split focus and exposure, pans of the focus square,
// of the exposure bias and between modes, long press to lock). It calls its replaceable methods
// through the runtime; HostClasses.cpp routes the originals to the host* members.

#include <memory>
#include <vector>

#include "host/Bars.h"
#include "host/PreviewView.h"
#include "platform/runloop/Timer.h"
#include "platform/ui/UILongPressGestureRecognizer.h"
#include "platform/ui/UIPanGestureRecognizer.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "platform/ui/UIViewController.h"

namespace host {

class CaptureController;
class CameraGestureDelegate;

class CameraView : public CAMCameraView {
public:
    CameraView(CGRect frame, std::weak_ptr<CaptureController> controller);
    ~CameraView() override;
    // Makes the subviews (preview, bars, zoom slider) and the gestures; call once it is owned.
    void build();

    // ---- CAMCameraView
    void takePicture() override;
    bool _isCapturing() const override;
    void _clearFocusViews() override;
    void _panFocus(bool focus, bool exposure, CGPoint atPoint) override;
    void _startFocus(bool focus, bool andExposure, CGPoint atPoint,
                     bool startFocusAnimation) override;

    // ---- Parts
    const std::shared_ptr<PreviewView>& previewView() const { return preview_; }
    const std::shared_ptr<TopBar>& topBar() const { return topBar_; }
    const std::shared_ptr<BottomBar>& bottomBar() const { return bottomBar_; }
    const std::shared_ptr<ZoomSlider>& zoomSlider() const { return zoomSlider_; }
    const std::shared_ptr<UIView>& filterGrid() const { return grid_; }
    bool isShowingGrid() const { return gridShown_; }
    bool isSplitFocusAndExposure() const { return split_; }
    bool hdrOn() const { return topBar_ && topBar_->hdrMenu()->selectedOption() == 1; }
    // The names of the modes offered now, in the row's order.
    std::vector<std::string> modeNames() const;
    long modeIndex() const;

    // ---- Through the runtime
    bool pointInside(CGPoint point, UIEvent* event) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void layoutSubviews() override;

    // ---- User actions the view handles
    void shutterPressed();
    void flipPressed();
    void filterPressed();
    void menuPressed(ExpandableMenuButton* menu);
    void menuOptionChosen(ExpandableMenuButton* menu, long option);
    void stillDuringRecordingPressed();
    // A horizontal swipe: +1 to the next mode in the row, -1 to the previous one.
    void swipeModes(int direction);

    // ---- Told by the capture controller
    void previewResumed();
    void previewDidStart();
    void recordingChanged(bool recording);
    void lockStateChanged();
    void shutterFlash();
    void showThumbnail(const SceneShot& shot, int exifTag);

    // ---- Host implementations of the replaceable methods
    void hostViewDidAppear();
    void hostStopPreviewAnimated(bool animated);
    void hostDealloc();
    void hostCameraShutterPressed(id sender);
    void hostPerformVideoCapture();
    void hostRemoveVideoCaptureControls();
    void hostModeDidChange(id controller);
    void hostOrientationChanged(id notification);
    void hostAnimateBlurForSuspension();
    void hostShowEffectsGrid(id controller, bool show, bool animated);
    void hostShowContinuousAEAFView();
    void hostSetSplitFocusAndExposure(bool split);
    void hostSplitFocusAndExposureTap(id gesture);
    bool hostPointInside(CGPoint point, UIEvent* event) {
        return UIView::pointInside(point, event);
    }
    bool hostAllowExposureBiasForMode(long mode) const;
    bool hostFinishCommonTapGesture();
    bool hostShouldShowFocus() const;
    bool hostAllowFocusRectPanning() const { return preview_ && preview_->isShowingFocus(); }
    void hostHandleFocusRectPan(id gesture);
    void hostHandleExposureBiasPan(id gesture);
    void hostEndPanFocus(bool focus, bool exposure, CGPoint point);
    void hostHandleLongPress(id gesture);
    void hostSwitchModes(long fromIndex, long toIndex);
    bool hostSwipeMatchesExposureBiasPan() const;
    void hostTouchesBegan(id touches, id event);
    void hostTouchesEnded(id touches, id event);

private:
    enum class PanKind { None, FocusRect, ExposureBias, ModeSwipe };
    std::shared_ptr<CaptureController> controller() const { return controller_.lock(); }
    void handleTap(UIGestureRecognizer* gesture);
    void handlePan(UIPanGestureRecognizer* gesture);
    void updateModeRow();
    void updateSlalomIndicator();
    void updateRecordingTime();
    void buildGrid();
    void buildGestures();
    CGPoint normalisedInPreview(CGPoint p) const;
    // Turns the flip button, thumbnail and filter button upright for a hold (1-4).
    void turnControls(long orientation, bool animated);
    // A tablet's interface turns with the hold; either way the bars lay out again.
    void turnInterface(long orientation);

    std::weak_ptr<CaptureController> controller_;
    std::shared_ptr<PreviewView> preview_;
    std::shared_ptr<TopBar> topBar_;
    std::shared_ptr<BottomBar> bottomBar_;
    std::shared_ptr<ZoomSlider> zoomSlider_;
    std::shared_ptr<UIView> grid_;
    std::shared_ptr<CameraGestureDelegate> gestureDelegate_;
    std::shared_ptr<UITapGestureRecognizer> tap_;
    std::shared_ptr<UITapGestureRecognizer> splitTap_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
    std::shared_ptr<UILongPressGestureRecognizer> longPress_;
    std::shared_ptr<platform::NSTimer> recordingTimer_;
    platform::EventId burstHold_ = 0;
    bool built_ = false;
    bool gridShown_ = false;
    bool split_ = false;
    bool focusPanMovesFocus_ = true;
    bool focusPanMovesExposure_ = true;
    PanKind panKind_ = PanKind::None;
    double panStartBias_ = 0;
    CGPoint panStartPoint_{};
};

// The view controller whose view is the camera view.
class CameraViewController : public UIViewController {
public:
    LU_OBJC_CLASS(CAMCameraViewController)
    explicit CameraViewController(std::weak_ptr<CaptureController> controller)
        : controller_(std::move(controller)) {}
    void loadView() override;
    void viewDidAppear(bool animated) override;
    void didReceiveMemoryWarning() override;
    std::shared_ptr<CameraView> cameraView();

private:
    std::weak_ptr<CaptureController> controller_;
};

}  // namespace host
