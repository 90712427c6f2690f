#include "host/CameraView.h"

#include <cmath>
#include <cstdio>

#include "host/CaptureController.h"
#include "host/HostCall.h"
#include "host/Orientation.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/graphics/Image.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIWindow.h"

namespace host {
namespace {

constexpr double kTopBarHeight = 40;
constexpr double kSideBarWidth = 100;
const char* const kFilterNames[9] = {"Mono",   "Tonal",   "Noir",     "Fade",   "None",
                                     "Chrome", "Process", "Transfer", "Instant"};

bool isPad() {
    return interfaceTurnsWithDevice();
}

}  // namespace

CameraView::CameraView(CGRect frame, std::weak_ptr<CaptureController> controller)
    : controller_(std::move(controller)) {
    setFrame(frame);
    setBackgroundColor(UIColor::blackColor());
}

CameraView::~CameraView() {
    if (recordingTimer_) recordingTimer_->invalidate();
    if (burstHold_ != 0) platform::RunLoop::main().cancel(burstHold_);
}

void CameraView::build() {
    if (built_) return;
    built_ = true;
    const std::shared_ptr<NSObject> self = shared_from_this();
    const CGRect b = bounds();

    preview_ = std::make_shared<PreviewView>();
    call<hostsel::CAMPreviewView::initWithFrame>(preview_.get(), b);
    std::weak_ptr<CaptureController> weakController = controller_;
    preview_->setShotSource([weakController]() -> std::optional<SceneShot> {
        auto c = weakController.lock();
        return c ? c->currentShot() : std::nullopt;
    });
    zoomSlider_ = std::make_shared<ZoomSlider>();
    call<hostsel::CAMZoomSlider::initWithFrame>(zoomSlider_.get(),
                                                CGRectMake(20, 0, b.size.width - 40, 30));
    zoomSlider_->makeInvisible();
    topBar_ = std::make_shared<TopBar>(CGRectMake(0, 0, b.size.width, kTopBarHeight));
    bottomBar_ = std::make_shared<BottomBar>(CGRectMake(0, 0, b.size.width, 96));
    call<hostsel::CAMFilterButton::_commonCAMFilterButtonInitialization>(
        bottomBar_->filterButton().get());
    log().record("initWithFrame:", "", "CAMSlalomIndicatorView");
    auto badge = std::dynamic_pointer_cast<SlalomIndicatorView>(
        objc::sendClass<hostsel::CAMSlalomIndicatorView::initWithFrame>(
            objc_getClass("CAMSlalomIndicatorView"), CGRectMake(0, 0, 70, 16)));
    if (badge) badge->setHidden(true);
    bottomBar_->setSlalomIndicator(badge);
    buildGrid();

    addSubview(preview_);
    addSubview(grid_);
    addSubview(zoomSlider_);
    addSubview(topBar_);
    addSubview(bottomBar_);

    // Controls.
    auto shutter = bottomBar_->shutter();
    shutter->addTarget(
        self,
        [this](UIControl*, UIEvent*) {
            auto c = controller();
            if (!c || (c->cameraMode() != 0 && c->cameraMode() != 4)) return;
            // Holding the shutter shoots a burst.
            std::weak_ptr<NSObject> weak = weak_from_this();
            burstHold_ = platform::RunLoop::main().schedule(0.5, [this, weak] {
                if (weak.expired()) return;
                burstHold_ = 0;
                if (auto c = controller()) c->startBurst();
            });
        },
        UIControlEventTouchDown);
    shutter->addTarget(
        self,
        [this](UIControl*, UIEvent*) {
            if (burstHold_ != 0) platform::RunLoop::main().cancel(burstHold_);
            burstHold_ = 0;
            auto c = controller();
            if (c && c->isBursting()) {
                c->stopBurst();
                return;
            }
            shutterPressed();
        },
        UIControlEventTouchUpInside);
    shutter->addTarget(
        self,
        [this](UIControl*, UIEvent*) {
            if (burstHold_ != 0) platform::RunLoop::main().cancel(burstHold_);
            burstHold_ = 0;
            if (auto c = controller(); c && c->isBursting()) c->stopBurst();
        },
        UIControlEventTouchUpOutside | UIControlEventTouchCancel);
    topBar_->flipButton()->addTarget(
        self, [this](UIControl*, UIEvent*) { flipPressed(); }, UIControlEventTouchUpInside);
    bottomBar_->filterButton()->addTarget(
        self, [this](UIControl*, UIEvent*) { filterPressed(); }, UIControlEventTouchUpInside);
    bottomBar_->stillButton()->addTarget(
        self, [this](UIControl*, UIEvent*) { stillDuringRecordingPressed(); },
        UIControlEventTouchUpInside);
    for (const auto& menu : {topBar_->flashMenu(), topBar_->hdrMenu()}) {
        ExpandableMenuButton* m = menu.get();
        menu->addTarget(
            self, [this, m](UIControl*, UIEvent*) { menuPressed(m); }, UIControlEventTouchUpInside);
        for (std::size_t i = 0; i < menu->optionButtons().size(); ++i) {
            menu->optionButtons()[i]->addTarget(
                self,
                [this, m, i](UIControl*, UIEvent*) { menuOptionChosen(m, static_cast<long>(i)); },
                UIControlEventTouchUpInside);
        }
    }
    buildGestures();

    std::weak_ptr<const void> owner = std::static_pointer_cast<const void>(self);
    NSNotificationCenter::defaultCenter().addObserver(
        UIDeviceOrientationDidChangeNotification, owner, [this](const ns::Dictionary&) {
            auto n = std::make_shared<Notification>(UIDeviceOrientationDidChangeNotification);
            call<hostsel::CAMCameraView::_cameraOrientationChanged>(this, n.get());
        });
    // The app may start with the phone already held sideways.
    const long held = UIDevice::currentDevice().orientation();
    if (isHold(held) && held != 1) {
        turnControls(held, false);
        for (const auto& menu : {topBar_->flashMenu(), topBar_->hdrMenu()}) {
            menu->applyOrientation(held, false);
        }
    }
    setNeedsLayout();
}

void CameraView::buildGrid() {
    grid_ = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    grid_->setBackgroundColor(UIColor::blackColor());
    grid_->setHidden(true);
    grid_->setAlpha(0);
    for (int i = 0; i < 9; ++i) {
        auto cell = std::make_shared<UIButton>(CGRectMake(0, 0, 10, 10));
        cell->setTitle(kFilterNames[i], UIControlStateNormal);
        cell->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        cell->setBackgroundColor(UIColor::colorWithWhite(0.2 + 0.05 * i, 1));
        cell->setTag(i + 1);
        cell->addTarget(
            shared_from_this(), [this](UIControl*, UIEvent*) { filterPressed(); },
            UIControlEventTouchUpInside);
        grid_->addSubview(cell);
    }
}

// ---- Layout: a portrait interface on a phone (bars above and below a 4:3 picture), a full-screen
// picture with a side bar on a tablet.

void CameraView::layoutSubviews() {
    if (!built_) return;
    const CGRect b = bounds();
    const double w = b.size.width, h = b.size.height;
    CGRect picture;
    if (isPad()) {
        picture = b;
        topBar_->setFrame(CGRectMake(0, 0, w - kSideBarWidth, 44));
        topBar_->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
        bottomBar_->setFrame(CGRectMake(w - kSideBarWidth, 0, kSideBarWidth, h));
        bottomBar_->setBackgroundColor(UIColor::colorWithWhite(0, 0.5));
    } else {
        picture = CGRectMake(0, kTopBarHeight, w, std::min(w * 4 / 3, h - kTopBarHeight));
        topBar_->setFrame(CGRectMake(0, 0, w, kTopBarHeight));
        const double bottom = std::max(96.0, h - CGRectGetMaxY(picture));
        bottomBar_->setFrame(CGRectMake(0, h - bottom, w, bottom));
        // On short screens the bar lies over the picture.
        bottomBar_->setBackgroundColor(CGRectGetMaxY(picture) > h - bottom
                                           ? UIColor::colorWithWhite(0, 0.6)
                                           : UIColor::blackColor());
    }
    preview_->setFrame(picture);
    grid_->setFrame(picture);
    const auto& cells = grid_->subviews();
    const double cw = picture.size.width / 3, ch = picture.size.height / 3;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i]->setFrame(CGRectMake(cw * (i % 3) + 1, ch * (i / 3) + 1, cw - 2, ch - 2));
    }
    zoomSlider_->setFrame(
        CGRectMake(20, std::min(CGRectGetMaxY(picture), bottomBar_->frame().origin.y) - 50,
                   w - 40 - (isPad() ? kSideBarWidth : 0), 30));
    topBar_->setNeedsLayout();
    bottomBar_->setNeedsLayout();
}

// ---- Runtime-dispatched overrides

bool CameraView::pointInside(CGPoint point, UIEvent* event) {
    return call<hostsel::CAMCameraView::pointInside_withEvent>(this, point, static_cast<id>(event));
}

void CameraView::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    auto set = std::make_shared<TouchSet>(touches);
    call<hostsel::CAMCameraView::touchesBegan_withEvent>(this, set.get(), static_cast<id>(event));
}

void CameraView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    auto set = std::make_shared<TouchSet>(touches);
    call<hostsel::CAMCameraView::touchesEnded_withEvent>(this, set.get(), static_cast<id>(event));
}

void CameraView::hostTouchesBegan(id touches, id event) {
    if (auto* set = dynamic_cast<TouchSet*>(touches)) {
        UIView::touchesBegan(set->touches(), dynamic_cast<UIEvent*>(event));
    }
}

void CameraView::hostTouchesEnded(id touches, id event) {
    if (auto* set = dynamic_cast<TouchSet*>(touches)) {
        UIView::touchesEnded(set->touches(), dynamic_cast<UIEvent*>(event));
    }
}

// ---- Modes

std::vector<std::string> CameraView::modeNames() const {
    std::vector<std::string> names;
    if (auto c = controller()) {
        for (const auto& m : c->availableModes(c->cameraDevice())) names.emplace_back(m.name);
    }
    return names;
}

long CameraView::modeIndex() const {
    auto c = controller();
    if (!c) return -1;
    const auto modes = c->availableModes(c->cameraDevice());
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (modes[i].mode == c->cameraMode()) return static_cast<long>(i);
    }
    return -1;
}

void CameraView::updateModeRow() {
    bottomBar_->modeRow()->setModes(modeNames(), modeIndex());
}

void CameraView::updateSlalomIndicator() {
    auto badge = bottomBar_->slalomIndicator();
    auto c = controller();
    if (!badge || !c) return;
    const bool slowMotion = c->cameraMode() == 2;
    badge->setHidden(!slowMotion);
    badge->setAlpha(1);
    long fps = 0;
    if (auto d = c->currentDevice()) {
        const double s = CMTimeGetSeconds(d->activeVideoMinFrameDuration());
        if (s > 0) fps = std::lround(1.0 / s);
    }
    badge->setFramesPerSecond(slowMotion ? fps : 0);
}

void CameraView::swipeModes(int direction) {
    const long from = modeIndex();
    const long to = from + (direction > 0 ? 1 : -1);
    if (from < 0 || to < 0 || to >= static_cast<long>(modeNames().size())) return;
    call<hostsel::CAMCameraView::_switchFromCameraModeAtIndex_toCameraModeAtIndex>(this, from, to);
}

void CameraView::hostSwitchModes(long fromIndex, long toIndex) {
    auto c = controller();
    if (!c || c->isRecording()) return;
    const auto modes = c->availableModes(c->cameraDevice());
    if (toIndex < 0 || toIndex >= static_cast<long>(modes.size())) return;
    if (fromIndex >= 0 && fromIndex < static_cast<long>(modes.size()) &&
        isRecordingMode(modes[fromIndex].mode) && !isRecordingMode(modes[toIndex].mode)) {
        call<hostsel::CAMCameraView::_removeVideoCaptureControls>(this);
    }
    call<hostsel::CAMCaptureController::setCameraMode_device>(c.get(), modes[toIndex].mode,
                                                              c->cameraDevice());
}

void CameraView::hostModeDidChange(id) {
    auto c = controller();
    if (!c) return;
    if (gridShown_) {
        call<hostsel::CAMCameraView::cameraController_didStartTransitionToShowEffectsGrid_animated>(
            this, c.get(), false, false);
    }
    updateModeRow();
    call<hostsel::CAMShutterButton::setMode_animated>(bottomBar_->shutter().get(),
                                                      shutterModeFor(c->cameraMode()), true);
    updateSlalomIndicator();
    preview_->clearFocusViews();
    preview_->setExposureBias(0);
    preview_->setLockBannerVisible(false);
    const long mode = c->cameraMode();
    bottomBar_->filterButton()->setHidden(mode != 0 && mode != 4);
    topBar_->flipButton()->setHidden(!c->hasCamera(1 - c->cameraDevice()));
    topBar_->flashMenu()->setHidden(c->cameraDevice() == 1 || isPad());
    topBar_->hdrMenu()->setHidden(!isPhotoMode(mode) || mode == 3);
    setNeedsLayout();
    preview_->setNeedsDisplay();
}

void CameraView::flipPressed() {
    auto c = controller();
    if (!c || c->isRecording() || !c->hasCamera(1 - c->cameraDevice())) return;
    // The picture turns over while the cameras swap.
    preview_->setAlpha(0);
    UIView::animateWithDuration(0.3, [&] { preview_->setAlpha(1); });
    call<hostsel::CAMCaptureController::setCameraMode_device>(c.get(), c->cameraMode(),
                                                              1 - c->cameraDevice());
}

// ---- Shutter, recording and stills

void CameraView::shutterPressed() {
    call<hostsel::CAMCameraView::cameraShutterPressed>(this, bottomBar_->shutter().get());
}

void CameraView::hostCameraShutterPressed(id) {
    auto c = controller();
    if (!c) return;
    if (isRecordingMode(c->cameraMode())) {
        if (c->isRecording()) {
            call<hostsel::CAMCaptureController::stopVideoCapture>(c.get());
        } else {
            call<hostsel::CAMCameraView::_performVideoCapture>(this);
        }
        return;
    }
    c->captureStill(false, false, false);
}

void CameraView::takePicture() {
    log().record("takePicture");
    if (auto c = controller()) c->captureStill(true, false, c->isRecording());
}

bool CameraView::_isCapturing() const {
    auto c = controller();
    return c && c->isRecording();
}

void CameraView::hostPerformVideoCapture() {
    if (auto c = controller()) call<hostsel::CAMCaptureController::startVideoCapture>(c.get());
}

void CameraView::stillDuringRecordingPressed() {
    auto c = controller();
    if (!c || !c->isRecording()) return;
    if (call<hostsel::CAMCaptureController::canCapturePhotoDuringRecording>(c.get())) {
        c->captureStill(false, false, true);
    }
}

void CameraView::recordingChanged(bool recording) {
    auto c = controller();
    if (!c) return;
    const long mode = c->cameraMode();
    if (recording) {
        call<hostsel::CAMShutterButton::setMode_animated>(
            bottomBar_->shutter().get(),
            mode == 2 ? kShutterSlalomRecording : kShutterVideoRecording, true);
        topBar_->elapsedTimeLabel()->setHidden(false);
        topBar_->flipButton()->setAlpha(0);
        bottomBar_->modeRow()->setHidden(true);
        bottomBar_->stillButton()->setHidden(c->cameraDevice() != 0);
        updateRecordingTime();
        std::weak_ptr<NSObject> weak = weak_from_this();
        recordingTimer_ =
            platform::NSTimer::scheduled(1.0, true, [this, weak](platform::NSTimer& t) {
                if (weak.expired()) {
                    t.invalidate();
                    return;
                }
                updateRecordingTime();
            });
    } else {
        if (recordingTimer_) recordingTimer_->invalidate();
        recordingTimer_.reset();
        call<hostsel::CAMShutterButton::setMode_animated>(bottomBar_->shutter().get(),
                                                          shutterModeFor(mode), true);
        call<hostsel::CAMCameraView::_removeVideoCaptureControls>(this);
    }
}

void CameraView::updateRecordingTime() {
    auto c = controller();
    if (!c) return;
    const long s = std::lround(platform::RunLoop::main().now() - c->recordingStartTime());
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
    topBar_->elapsedTimeLabel()->setText(text);
}

void CameraView::hostRemoveVideoCaptureControls() {
    topBar_->elapsedTimeLabel()->setHidden(true);
    topBar_->elapsedTimeLabel()->setText("");
    topBar_->flipButton()->setAlpha(1);
    bottomBar_->modeRow()->setHidden(false);
    bottomBar_->stillButton()->setHidden(true);
}

void CameraView::shutterFlash() {
    preview_->setAlpha(0);
    UIView::animateWithDuration(0.15, [&] { preview_->setAlpha(1); });
}

void CameraView::showThumbnail(const SceneShot& shot, int exifTag) {
    const bool sideways = exifTag == 6 || exifTag == 8;
    Picture pic = renderUpright(shot, sideways ? 90 : 120, sideways ? 120 : 90);
    auto image = UIImage::imageWithImage(
        platform::Image::fromARGB32(pic.width, pic.height, 2, std::move(pic.pixels)));
    bottomBar_->imageWell()->setImage(image, UIControlStateNormal);
}

// ---- Filter grid and menus

void CameraView::filterPressed() {
    auto c = controller();
    if (!c || (!gridShown_ && bottomBar_->filterButton()->isHidden())) return;
    call<hostsel::CAMCameraView::cameraController_didStartTransitionToShowEffectsGrid_animated>(
        this, c.get(), !gridShown_, true);
}

void CameraView::hostShowEffectsGrid(id, bool show, bool animated) {
    gridShown_ = show;
    bottomBar_->filterButton()->setSelected(show);
    grid_->setHidden(false);
    std::weak_ptr<UIView> grid = grid_;
    auto apply = [this, show] { grid_->setAlpha(show ? 1 : 0); };
    auto done = [grid, show](bool) {
        if (auto g = grid.lock(); g && !show) g->setHidden(true);
    };
    if (animated) {
        UIView::animateWithDuration(0.25, apply, done);
    } else {
        apply();
        done(true);
    }
}

void CameraView::menuPressed(ExpandableMenuButton* menu) {
    if (menu == nullptr) return;
    if (menu->isExpanded()) {
        call<hostsel::CAMExpandableMenuButton::startCollapsingWithProposedFrame>(
            menu, topBar_->collapsedFrame(*menu));
    } else {
        call<hostsel::CAMExpandableMenuButton::startExpansionWithProposedFrame>(
            menu, topBar_->expandedFrame());
    }
    topBar_->setNeedsLayout();
    topBar_->layoutIfNeeded();
}

void CameraView::menuOptionChosen(ExpandableMenuButton* menu, long option) {
    if (menu == nullptr || !menu->isExpanded()) return;
    menu->selectOption(option);
    menuPressed(menu);
}

// ---- Preview life

void CameraView::previewResumed() {
    preview_->setBlurred(false);
    preview_->setNeedsDisplay();
}

void CameraView::previewDidStart() {
    call<hostsel::CAMCameraView::videoPreviewView>(this);
    call<hostsel::CAMCameraView::_showContinuousAEAFView>(this);
}

void CameraView::hostShowContinuousAEAFView() {
    preview_->showContinuousAutoFocusView();
}

void CameraView::hostViewDidAppear() {
    layoutIfNeeded();
}

void CameraView::hostStopPreviewAnimated(bool animated) {
    if (auto c = controller()) c->stopPreview();
    preview_->clearFocusViews();
    preview_->setBlurred(true);
    if (gridShown_) hostShowEffectsGrid(nullptr, false, animated);
}

void CameraView::hostAnimateBlurForSuspension() {
    preview_->setBlurred(true);
    UIView::animateWithDuration(0.3, [&] { preview_->setAlpha(0.6); });
    UIView::animateWithDuration(0.3, [&] { preview_->setAlpha(1); });
}

void CameraView::hostDealloc() {
    NSNotificationCenter::defaultCenter().removeObserver(
        static_cast<const void*>(static_cast<const NSObject*>(this)));
    if (recordingTimer_) recordingTimer_->invalidate();
    recordingTimer_.reset();
}

void CameraView::lockStateChanged() {
    auto c = controller();
    preview_->setLockBannerVisible(c && (c->userLockedFocus() || c->userLockedExposure()));
}

// ---- Orientation: the interface stays portrait on a phone and the controls turn in place; a
// tablet's interface turns with the device (Orientation.h).

void CameraView::hostOrientationChanged(id) {
    const long o = UIDevice::currentDevice().orientation();
    if (!isHold(o)) return;
    turnControls(o, true);
    for (const auto& menu : {topBar_->flashMenu(), topBar_->hdrMenu()}) {
        call<hostsel::CAMExpandableMenuButton::setOrientation_animated>(menu.get(), o, true);
    }
    turnInterface(o);
}

void CameraView::turnControls(long orientation, bool animated) {
    const CGAffineTransform t = uprightTransform(orientation);
    auto apply = [&] {
        topBar_->flipButton()->setTransform(t);
        bottomBar_->imageWell()->setTransform(t);
        bottomBar_->filterButton()->setTransform(t);
    };
    if (animated) {
        UIView::animateWithDuration(0.3, apply);
    } else {
        apply();
    }
}

void CameraView::turnInterface(long orientation) {
    if (isPad()) {
        UIScreen::mainScreen().setInterfaceLandscape(orientation == 3 || orientation == 4);
        const CGRect screen = UIScreen::mainScreen().bounds();
        if (UIView* w = window()) w->setFrame(screen);
        setFrame(screen);
    }
    setNeedsLayout();
    // Turned controls swap their width and height: the bars place them again.
    topBar_->setNeedsLayout();
    bottomBar_->setNeedsLayout();
}

// ---- The view controller

void CameraViewController::loadView() {
    auto view = std::make_shared<CameraView>(UIScreen::mainScreen().bounds(), controller_);
    setView(view);
    view->build();
}

void CameraViewController::viewDidAppear(bool) {
    if (auto v = cameraView()) call<hostsel::CAMCameraView::viewDidAppear>(v.get());
}

void CameraViewController::didReceiveMemoryWarning() {
    if (auto v = cameraView()) v->previewView()->dropCache();
}

std::shared_ptr<CameraView> CameraViewController::cameraView() {
    return std::dynamic_pointer_cast<CameraView>(view());
}

}  // namespace host
