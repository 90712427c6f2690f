// Building the camera bar, placing the wrench button, and sliding the strip in and out.
#include "core/CameraBarLifecycle.h"

#include <array>

#include "artwork/CustomDrawButton.h"
#include "artwork/ModeButtons.h"
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "camerabar/CompanionCalls.h"
#include "capture/Stabilization.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIWindow.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr CGFloat kButtonSize = 47;
constexpr CGRect kCameraBarControllerFrame = {{165, 0}, {419, 55}};

// The settings-changed observer is registered once per process (a new process starts afresh).
bool& settingsObserverAdded() {
    static bool added = false;
    static const int resetToken = platform::Process::onReset([] { added = false; });
    (void)resetToken;
    return added;
}

CGFloat screenWidth() {
    return UIScreen::mainScreen().bounds().size.width;
}
CGFloat screenHeight() {
    return UIScreen::mainScreen().bounds().size.height;
}

}  // namespace

// The host's camera view and bottom bar. Teardown forgets both, and coming back from the
// background the host neither shows the camera view anew nor lays its bottom bar out again:
// then they are found in the key window and kept again.
namespace {
std::shared_ptr<CAMCameraView> findCameraView(const std::shared_ptr<UIView>& view) {
    if (!view) return nullptr;
    if (auto found = std::dynamic_pointer_cast<CAMCameraView>(view)) return found;
    for (const auto& sub : view->subviews()) {
        if (auto found = findCameraView(sub)) return found;
    }
    return nullptr;
}
}  // namespace

std::shared_ptr<CAMCameraView> hostCameraView() {
    TweakState& s = state();
    if (auto kept = s.cameraView.lock()) return kept;
    auto found = findCameraView(
        std::static_pointer_cast<UIView>(UIApplication::sharedApplication().keyWindow()));
    if (found) s.cameraView = found;
    return found;
}

std::shared_ptr<CAMBottomBar> hostBottomBar() {
    TweakState& s = state();
    if (auto kept = s._CAMBottomBar.lock()) return kept;
    const auto cameraView = hostCameraView();
    if (!cameraView) return nullptr;
    for (const auto& sub : cameraView->subviews()) {
        if (auto bar = std::dynamic_pointer_cast<CAMBottomBar>(sub)) {
            s._CAMBottomBar = bar;
            return bar;
        }
    }
    return nullptr;
}

namespace {

CGFloat bottomBarHeight() {
    const auto bar = hostBottomBar();
    return bar ? bar->frame().size.height : 0;
}

// The tablet strip's top edge.
CGFloat padTop() {
    return isLandscapeOrientation() ? 250 : 380;
}

template <class Button>
std::shared_ptr<Button> makeButton(CGPoint origin, long tag) {
    auto button =
        std::make_shared<Button>(CGRectMake(origin.x, origin.y, kButtonSize, kButtonSize));
    button->setTag(tag);
    return button;
}

UIButton* button(const std::shared_ptr<NSObject>& object) {
    return dynamic_cast<UIButton*>(object.get());
}

// Attaches the bar's dispatch to a mode button; any earlier attachment is replaced, so a tap
// always runs it once however often the strip is shown.
void setTarget(const std::shared_ptr<NSObject>& object, const std::shared_ptr<CameraBar>& bar) {
    UIButton* b = button(object);
    if (b == nullptr || !bar) return;
    b->removeTarget(nullptr, UIControlEventTouchUpInside);
    std::weak_ptr<CameraBar> weak = bar;
    b->addTarget(
        bar,
        [weak](UIControl* sender, UIEvent*) {
            if (auto target = weak.lock()) target->cameraBarButtonTapped(sender);
        },
        UIControlEventTouchUpInside);
}

std::array<std::shared_ptr<NSObject>*, 6> sixButtons() {
    TweakState& s = state();
    return {&s.modeAdvCameraBtn, &s.modeTimerBtn, &s.modeLapseTimerBtn,
            &s.modeAdvVideoBtn,  &s.modeWBBtn,    &s.modeToggleStabilizationBtn};
}

void placeButton(const std::shared_ptr<NSObject>& object, CGFloat x, CGFloat y) {
    if (UIButton* b = button(object)) {
        CGRect f = b->frame();
        f.origin = CGPointMake(x, y);
        b->setFrame(f);
    }
}

void addToStrip(CameraBarView& view, const std::shared_ptr<NSObject>& object) {
    if (auto v = std::dynamic_pointer_cast<UIView>(object)) view.scrollview->addSubview(v);
}

// Lays the row out at `count` places: across the strip on a phone, down the column on a tablet.
void layOutRow(CameraBarView& view, const std::vector<std::shared_ptr<NSObject>>& row, CGFloat x0,
               int offset) {
    const bool pad = isTablet();
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (pad) {
            const CGRect f = CameraBarView::padButtonFrame(static_cast<int>(i));
            placeButton(row[i], f.origin.x, f.origin.y);
        } else {
            placeButton(row[i], x0 + static_cast<CGFloat>(i) * offset, state().CameraBtn_Top);
        }
        addToStrip(view, row[i]);
    }
}

void layOutVideoRow(CameraBarView& view, const std::shared_ptr<CameraBar>& bar) {
    TweakState& s = state();
    const CGFloat width = view.frame().size.width;
    s.CameraBtn_VideoOffset = static_cast<int>(width / 4);
    const CGFloat x0 = (width / 4) / 1.4;
    if (UIButton* movie = button(s.modeAdvVideoBtn)) movie->setEnabled(isBackCamera());
    if (auto* stab = dynamic_cast<CustomDrawButton*>(s.modeToggleStabilizationBtn.get())) {
        CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
        const auto device = controller != nullptr ? controller->currentDevice() : nullptr;
        const auto format = device ? device->activeFormat() : nullptr;
        const bool supported =
            format &&
            (format->isVideoStabilizationModeSupported(AVCaptureVideoStabilizationModeStandard) ||
             format->isVideoStabilizationModeSupported(AVCaptureVideoStabilizationModeCinematic));
        if (supported) {
            stab->setEnabled(true);
            toggleStabilizeMode(s.stabilizerIndex, false);
        } else {
            stab->setDrawFlow(-1);
            stab->setEnabled(false);
        }
    }
    for (auto* b : {&s.modeAdvVideoBtn, &s.modeToggleStabilizationBtn, &s.modeWBBtn}) {
        setTarget(*b, bar);
    }
    layOutRow(view, {s.modeAdvVideoBtn, s.modeToggleStabilizationBtn, s.modeWBBtn}, x0,
              s.CameraBtn_VideoOffset);
    if (UIButton* movie = button(s.modeAdvVideoBtn)) {
        movie->setSelected(bar && bar->videoMode == 1 && isBackCamera());
    }
}

void layOutPhotoRow(CameraBarView& view, const std::shared_ptr<CameraBar>& bar) {
    TweakState& s = state();
    const CGFloat width = view.frame().size.width;
    s.CameraBtn_PhotoOffset = static_cast<int>(width / 5);
    const CGFloat x0 = s.CameraBtn_PhotoOffset / 2 + 9;
    if (UIButton* camera = button(s.modeAdvCameraBtn)) camera->setEnabled(isBackCamera());
    for (auto* b : {&s.modeAdvCameraBtn, &s.modeTimerBtn, &s.modeLapseTimerBtn, &s.modeWBBtn}) {
        setTarget(*b, bar);
    }
    layOutRow(view, {s.modeAdvCameraBtn, s.modeTimerBtn, s.modeLapseTimerBtn, s.modeWBBtn}, x0,
              s.CameraBtn_PhotoOffset);
    if (UIButton* camera = button(s.modeAdvCameraBtn)) {
        camera->setSelected(bar && bar->cameraMode == 1 && isBackCamera());
    }
}

void hideStrip(const std::shared_ptr<CameraBarView>& view) {
    std::weak_ptr<CameraBarView> weak = view;
    const bool pad = isTablet();
    const CGFloat top = padTop();
    UIView::animateWithDuration(
        kCameraBarSlideDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [weak, pad, top] {
            auto v = weak.lock();
            if (!v) return;
            CGRect f = v->frame();
            if (pad) {
                f.origin = CGPointMake(100, top);
            } else {
                f.origin.x = -f.size.width;
            }
            v->setFrame(f);
        },
        [](bool) {
            // Everything is looked up again: the bar may have been torn down meanwhile, or shown
            // again (a newer show owns the wrench's state then).
            if (state().showingButtonArray) return;
            if (UIButton* wrench = button(state().wrenchButton)) wrench->setSelected(false);
            focustool::toggleISOScrollView(true);
            focustool::toggleShutterSpeedScrollView(true);
            focustool::toggleFocusScrollView(true);
            if (auto live = currentCameraBarView()) live->toggleHeightScrollView(true);
        });
    state().showingButtonArray = false;
}

void showStrip(const std::shared_ptr<CameraBarView>& view) {
    TweakState& s = state();
    if (!isTablet()) {
        if (auto slider = s._CAMZoomSlider.lock()) slider->makeInvisible();
    }
    const std::shared_ptr<CameraBar> bar = currentCameraBar();
    if (bar) bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.1f);
    for (auto* b : sixButtons()) {
        if (UIButton* ub = button(*b)) ub->removeFromSuperview();
    }
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return;

    view->setFrame(getCameraBarViewFrame());
    view->restoreClosedHeight();
    const long mode = controller->cameraMode();
    const int pages = (mode == 0 || mode == 6) ? 3 : 2;
    view->scrollview->setContentSize(
        CGSizeMake(view->frame().size.width * pages, view->scrollview->frame().size.height));
    const auto cameraView = s.cameraView.lock();
    view->setTextForMode(controller, cameraView && cameraView->_isCapturing());
    focustool::layoutSubviews();
    overlaytool::layoutSubviews();

    if (isVideoMode()) {
        layOutVideoRow(*view, bar);
    } else {
        layOutPhotoRow(*view, bar);
    }

    view->ableButtonText(controller);
    if (UIView* parent = view->superview()) parent->bringSubviewToFront(view.get());
    if (UIButton* wrench = button(s.wrenchButton)) wrench->setSelected(true);

    std::weak_ptr<CameraBarView> weak = view;
    const bool pad = isTablet();
    const CGFloat top = padTop();
    const CGFloat y = (isLandscapeOrientation() ? screenWidth() : screenHeight()) -
                      bottomBarHeight() - CameraBarView::kClosedHeight;
    UIView::animateWithDuration(
        kCameraBarSlideDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [weak, pad, top, y] {
            auto v = weak.lock();
            if (!v) return;
            CGRect f = v->frame();
            f.origin = pad ? CGPointMake(-f.size.width, top) : CGPointMake(0, y);
            v->setFrame(f);
        },
        nullptr);
    s.showingButtonArray = true;
}

}  // namespace

CGRect wrenchButtonFrame(CGRect imageWellFrame) {
    const TweakState& s = state();
    CGRect f = imageWellFrame;
    if (isTablet()) {
        // The tablet's bar is a column: the wrench sits above the thumbnail.
        f.origin.y -= imageWellFrame.size.height + 13;
        return f;
    }
    f.origin.x += 73;
    f.origin.y += 3;
    if (s.screensize == 3 || (s.screensize == 2 && !s.screenIsZoomed)) f.origin.x += 20;
    return f;
}

void createCameraButtonArray(UIView* parent) {
    TweakState& s = state();
    if (s.buttonsCreated) return;
    s.buttonsCreated = true;
    if (!s.cameraBar) createCameraBar();
    createCameraBarView(parent);

    const CGFloat W = screenWidth();
    const bool pad = isTablet();
    s.CameraBtn_PhotoOffset = static_cast<int>(W / 5);
    s.CameraBtn_Top = 1;
    // Each further button one offset along the row (down the column on a tablet).
    auto at = [pad](CGFloat x, CGFloat top, int i, int offset) {
        return pad ? CGPointMake(x, top + static_cast<CGFloat>(i) * offset)
                   : CGPointMake(x + static_cast<CGFloat>(i) * offset, top);
    };
    const float photoX = static_cast<float>(W / 5) / 2 + 9;
    s.modeAdvCameraBtn = makeButton<CameraButton>(
        at(photoX, s.CameraBtn_Top, 0, s.CameraBtn_PhotoOffset), TAG_CAMERA_BUTTON);
    s.modeTimerBtn = makeButton<TimerButton>(
        at(photoX, s.CameraBtn_Top, 1, s.CameraBtn_PhotoOffset), TAG_TIMER_BUTTON);
    s.modeLapseTimerBtn = makeButton<TimeLapseButton>(
        at(photoX, s.CameraBtn_Top, 2, s.CameraBtn_PhotoOffset), TAG_TIMELAPSE_BUTTON);

    if (pad) s.CameraBtn_Top = 40;
    s.CameraBtn_VideoOffset = static_cast<int>(W / 4);
    const CGFloat videoX = (W / 4) / 1.4;
    s.modeAdvVideoBtn = makeButton<MovieButton>(
        at(videoX, s.CameraBtn_Top, 0, s.CameraBtn_VideoOffset), TAG_VIDEO_BUTTON);
    s.modeToggleStabilizationBtn = makeButton<CustomDrawButton>(
        at(videoX, s.CameraBtn_Top, 1, s.CameraBtn_VideoOffset), TAG_TOGGLE_STABILIZATION);
    s.modeWBBtn = makeButton<WBLockButton>(at(videoX, s.CameraBtn_Top, 2, s.CameraBtn_VideoOffset),
                                           TAG_WB_BUTTON);
    if (UIButton* wb = button(s.modeWBBtn)) wb->setAlpha(1);

    const auto bar = currentCameraBar();
    for (auto* b : sixButtons()) setTarget(*b, bar);
}

void createCameraBar() {
    TweakState& s = state();
    auto bar = CameraBar::initWithFrame(kCameraBarControllerFrame);
    s.cameraBar = bar;
    bar->_rotate();

    if (!settingsObserverAdded()) {
        CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr,
                                        &preferencesChanged, kSettingsChangedNotification, nullptr,
                                        CFNotificationSuspensionBehaviorHold);
        settingsObserverAdded() = true;
    }

    const auto bottomBar = hostBottomBar();
    if (!bottomBar || s.wrenchButton) return;
    const auto well = bottomBar->imageWell();
    auto wrench =
        std::make_shared<CustomDrawButton>(wrenchButtonFrame(well ? well->frame() : CGRectZero));
    wrench->setTag(5);
    std::weak_ptr<CameraBar> weak = bar;
    wrench->addTarget(
        bar,
        [weak](UIControl*, UIEvent*) {
            if (auto target = weak.lock()) target->toggleCameraButton();
        },
        UIControlEventTouchUpInside);
    bottomBar->addSubview(wrench);
    s.wrenchButton = wrench;
}

void createCameraBarView(UIView* parent) {
    TweakState& s = state();
    if (s._cameraButtonView) return;
    auto view = CameraBarView::initWithFrame(getCameraBarViewFrame(), s.cameraBar, nullptr);
    view->setAlpha(1);
    if (isTablet()) {
        if (parent != nullptr) parent->addSubview(view);
    } else if (auto cameraView = hostCameraView()) {
        cameraView->addSubview(view);
    }
    s._cameraButtonView = view;
}

CGRect getCameraBarViewFrame() {
    const CGFloat h = CameraBarView::kClosedHeight;
    if (isTablet()) return CGRectMake(100, padTop(), 80, 300);
    const CGFloat W = screenWidth(), H = screenHeight(), bar = bottomBarHeight();
    if (isLandscapeOrientation()) return CGRectMake(-H, W - bar - h, H, h);
    return CGRectMake(-W, H - bar - h, W, h);
}

void toggleCameraButtonArray(int visibility) {
    const auto view = currentCameraBarView();
    if (!view) return;
    const bool showing = state().showingButtonArray;
    if (visibility == 0 || (visibility == -1 && showing)) {
        hideStrip(view);
    } else if ((visibility == 1 || (visibility == -1 && !showing)) &&
               (isCameraMode() || isVideoMode())) {
        showStrip(view);
    }
}

void adjustElementsForRotation() {
    const auto view = currentCameraBarView();
    if (!view) return;
    CGRect f = view->frame();
    f.origin.y = padTop();
    view->setFrame(f);
}

namespace {
void addPage(const std::shared_ptr<UIView>& page, int pages) {
    const auto view = currentCameraBarView();
    if (!view || !page) return;
    view->scrollview->addSubview(page);
    view->scrollview->setContentSize(
        CGSizeMake(view->frame().size.width * pages, view->scrollview->frame().size.height));
}
}  // namespace

void AddFocusAndExposureToolsToCameraBarView(const std::shared_ptr<UIView>& view) {
    addPage(view, 2);
}

void AddOverlayButtonsToCameraBarView(const std::shared_ptr<UIView>& view) {
    addPage(view, 3);
}

namespace {
// On screen: in a window, and neither it nor an ancestor hidden or transparent.
bool isOnScreen(const UIView* view) {
    if (view == nullptr || view->window() == nullptr) return false;
    for (const UIView* v = view; v != nullptr; v = v->superview()) {
        if (v->isHidden() || v->alpha() < 0.01) return false;
    }
    return true;
}

bool contains(const UIView* target, CGPoint point, const UIView* space) {
    if (!isOnScreen(target)) return false;
    const CGPoint local = target->convertPointFromView(point, space);
    return CGRectContainsPoint(target->bounds(), local);
}
}  // namespace

bool isTouchOnCameraControlsOrParent(bool skipButtons, CGPoint point, UIView* view) {
    TweakState& s = state();
    if (skipButtons) {
        s.touchInsideButtonView = true;
        return true;
    }
    bool inside = false;
    for (auto* b : {&s.modeTimerBtn, &s.modeLapseTimerBtn, &s.modeAdvCameraBtn, &s.modeAdvVideoBtn,
                    &s.modeWBBtn, &s.modeToggleStabilizationBtn}) {
        if (contains(dynamic_cast<UIView*>(b->get()), point, view)) inside = true;
    }
    if (!inside) inside = contains(currentCameraBarView().get(), point, view);
    s.touchInsideButtonView = inside;
    return inside;
}

}  // namespace lumora
