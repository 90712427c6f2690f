#pragma once
// The advanced photo mode's manual controls: the focus and exposure tab buttons on the camera
// bar's second page, the three rulers they open, and the flags that keep the rulers, the device
// value observer and the camera view's tap and pan handling from fighting each other. It also
// switches the host camera view between its single focus point and split focus and exposure
// rectangles (advanced focus, `UseAdvancedCamera`).
//
// One instance, held by the state record (`focusAndExposureToolController`). Main thread only.

#include <memory>

#include "artwork/CustomDrawButton.h"
#include "manual/DialScrollview.h"
#include "platform/objc/NSObject.h"

class CAMCameraView;

namespace lumora {

// The tab page container on the camera bar's strip.
inline constexpr long kFocusAndExposurePageTag = 501;
inline constexpr long kFocusTabTag = 6;
inline constexpr long kExposureTabTag = 7;

class FocusAndExposureToolController : public NSObject {
public:
    LU_OBJC_CLASS(FocusAndExposureToolController)
    FocusAndExposureToolController() = default;
    ~FocusAndExposureToolController() override;

    // Creates the single instance (and its tab page) when there is none.
    static void CreateFocusAndExposureTools();
    // The single instance, or null.
    static FocusAndExposureToolController* shared();

    // Builds the tab page and hands it to the camera bar (called once, by the creator).
    void initTabPage();
    // Re-applies the page and tab button frames (rotation, bar rebuild).
    void layoutSubviews();

    // ---- Flags
    bool skipLensPositionObserverCallback() const { return skipLensPositionObserverCallback_; }
    void setSkipLensPositionObserverCallback(bool v) { skipLensPositionObserverCallback_ = v; }
    bool skipISOObserverCallback() const { return skipISOObserverCallback_; }
    void setSkipISOObserverCallback(bool v) { skipISOObserverCallback_ = v; }
    bool skipShutterSpeedObserverCallback() const { return skipShutterSpeedObserverCallback_; }
    void setSkipShutterSpeedObserverCallback(bool v) { skipShutterSpeedObserverCallback_ = v; }
    bool skipManualSetting() const { return skipManualSetting_; }
    void setSkipManualSetting(bool v) { skipManualSetting_ = v; }
    bool isInManualFocusMode() const { return isInManualFocusMode_; }
    void setIsInManualFocusMode(bool manual);
    bool isInManualISOMode() const { return isInManualISOMode_; }
    void setIsInManualISOMode(bool manual);
    bool focusTapSelected() const { return focusTapSelected_; }
    void setFocusTapSelected(bool v) { focusTapSelected_ = v; }
    bool exposureTapSelected() const { return exposureTapSelected_; }
    void setExposureTapSelected(bool v) { exposureTapSelected_ = v; }

    // ---- Tabs and rulers
    void focusBtnTapped();
    void exposureBtnTapped();
    void toggleFocusScrollView(bool hide);
    void toggleISOScrollView(bool hide);
    void toggleShutterSpeedScrollView(bool hide);
    // Moves every shown ruler whose kind the user is not dialling to the camera's value.
    void setCurrentFocusAndExposureValues();
    // Closes both tabs, keeping the manual flags.
    void unSelectFocusAndExposureTabs();
    // Closes both tabs and clears every flag (camera mode or device change).
    void resetFocusAndExposureTabs();

    // ---- Advanced focus
    void setSplitFocusToContinous(bool calledFromAdvancedFocusToggle, bool isFocusPan,
                                  bool isExposurePan, CGPoint pointOfInterest);
    void panFocusAndExposureRectangles(CGPoint point);
    // `cameraView` is not consulted: the live camera view of the state record is used.
    void toggleAdvancedFocus(bool on, CAMCameraView* cameraView, bool doReset);

    CustomDrawButton* customDrawButtonFocus() const { return customDrawButtonFocus_.get(); }
    CustomDrawButton* customDrawButtonExposure() const { return customDrawButtonExposure_.get(); }
    DialScrollview* dialScrollviewLensPosition() const { return dialLens_.get(); }
    DialScrollview* dialScrollviewISO() const { return dialISO_.get(); }
    DialScrollview* dialScrollviewShutterspeed() const { return dialShutter_.get(); }

private:
    std::shared_ptr<DialScrollview> showDial(std::shared_ptr<DialScrollview>& dial, CGRect frame,
                                             long kind);
    static void hideDial(const std::shared_ptr<DialScrollview>& dial);
    static int tabFlow(bool manual, bool open);

    bool skipLensPositionObserverCallback_ = false;
    bool skipISOObserverCallback_ = false;
    bool skipShutterSpeedObserverCallback_ = false;
    bool skipManualSetting_ = false;
    bool isInManualFocusMode_ = false;
    bool isInManualISOMode_ = false;
    bool focusTapSelected_ = false;
    bool exposureTapSelected_ = false;

    std::shared_ptr<UIView> page_;
    std::shared_ptr<CustomDrawButton> customDrawButtonFocus_;
    std::shared_ptr<CustomDrawButton> customDrawButtonExposure_;
    std::shared_ptr<DialScrollview> dialLens_;
    std::shared_ptr<DialScrollview> dialISO_;
    std::shared_ptr<DialScrollview> dialShutter_;
};

}  // namespace lumora
