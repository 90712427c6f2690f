#include "prefs/ManualViewController.h"

#include "platform/device/UIDevice.h"
#include "platform/ui/UINavigationController.h"
#include "prefs/MainViewStoryboard.h"
#include "prefs/Translations.h"

namespace prefs {

void buildManualPage(ManualViewController& page, double width, bool compact);

ManualViewController::ManualViewController(int page) : page_(page) {}

ManualViewController::ManualViewController(const std::string& nibName, const std::string&)
    : page_(1), nibName_(nibName) {}

std::string ManualViewController::GetResource(const std::string& key) {
    return prefs::GetResource(key);
}

void ManualViewController::loadView() {
    const CGRect screen = UIScreen::mainScreen().bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::colorWithWhite(0.11, 1));
    scrollView = std::make_shared<UIScrollView>(screen);
    scrollView->setAlwaysBounceVertical(true);
    root->addSubview(scrollView);
    containerView1 = std::make_shared<UIView>(CGRectMake(0, 0, screen.size.width, 10));
    scrollView->addSubview(containerView1);
    setView(root);
    const bool compact = nibName_ == "ManualPage1_iphone_4" || screen.size.height <= 480;
    buildManualPage(*this, screen.size.width, compact);
}

void ManualViewController::viewDidLoad() {
    setupTranslation();
    // As wide as the screen.
    CGRect f = containerView1->frame();
    f.size.width = UIScreen::mainScreen().bounds().size.width;
    containerView1->setFrame(f);
    for (const auto& v : {cameraButtonDrawView, timerButtonDrawView, timeLapseButtonDrawView,
                          WBLockButtonDrawView, cameraButtonDrawView2, MovieButtonDrawView}) {
        if (v) v->setBackgroundColor(UIColor::whiteColor());
    }
    for (const auto& v :
         {cameraButtonDrawViewWhite, WBLockButtonDrawView2, MovieButtonDrawViewWhite, focusTabView,
          exposureTabView, focusTabView_M, exposureTabView_M, macroView, infinityView, goldenRatio,
          triSection, thirds, square, stabilization1, stabilization2, stabilization3}) {
        if (v) v->setBackgroundColor(UIColor::clearColor());
    }
    if (stabilization1) stabilization1->setDrawFlow(2);
    if (stabilization2) stabilization2->setDrawFlow(1);
    if (stabilization3) stabilization3->setDrawFlow(0);
}

// The main screen hid the bar; the manual's pages need its back button.
void ManualViewController::viewWillAppear(bool animated) {
    if (UINavigationController* nav = navigationController()) {
        nav->setNavigationBarHidden(false, animated);
    }
}

void ManualViewController::setupTranslation() {
    setTitle(GetResource("USER_MANUAL"));
    for (const auto& b : {p1_nextBtn, p2_nextBtn, p3_nextBtn}) {
        if (b) b->setTitle(GetResource("NEXT"), UIControlStateNormal);
    }
    for (const auto& b : {p2_prevBtn, p3_prevBtn, p4_prevBtn}) {
        if (b) b->setTitle(GetResource("PREV"), UIControlStateNormal);
    }
    const std::pair<const std::shared_ptr<UILabel>*, const char*> texts[] = {
        {&p1_headerPhotoCam, "PHOTO_CAM"},
        {&p2_headerPhotoCam, "PHOTO_CAM"},
        {&p2_headerVideoCam, "VID_CAM"},
        {&p3_headerAccessFunctions, "ACCESS_FUNCTIONS"},
        {&p3_headerMisc, "MISC"},
        {&p4_headerOverlays, "OVERLAYS"},
        {&p4_headerOther, "OTHER"},
        {&p1_adv1, "Note_Adv1"},
        {&p1_lapse1, "Note_Lapse1"},
        {&p1_timer1, "Note_Timer1"},
        {&p2_wb1, "Note_WB1"},
        {&p2_wb2, "Note_WB2"},
        {&p2_adv1, "Note_Adv4"},
        {&p2_snapshot, "Note_Snapshot"},
        {&p3_access, "Note_Access"},
        {&p3_dimensions, "Note_DIMENSIONS"},
        {&p3_fps, "Note_FPS"},
        {&p4_overlays, "Note_Overlays"},
        {&p4_verticalWarning, "Note_Vertical"},
    };
    // A view the page does not have is skipped.
    for (const auto& [label, key] : texts) {
        if (*label) (*label)->setText(GetResource(key));
    }
    if (containerView1) {
        for (const auto& v : containerView1->subviews()) v->setNeedsLayout();
    }
}

void ManualViewController::toNextPage(const UIView& sender) {
    const long target = sender.tag() + 1;
    auto d = delegate.lock();
    if (d == nullptr) return;
    // Only the page on top of the stack turns (a second tap while the next page slides in,
    // or on a page already gone, does nothing).
    UINavigationController* nav = navigationController();
    if (nav == nullptr || nav->topViewController() != this) return;
    if (target < page_) {
        // "Previous": back to the page below this one.
        d->popController();
    } else if (target > page_ && target <= kManualPageCount) {
        auto next = instantiateViewControllerWithIdentifier("manualPage" + std::to_string(target));
        auto* manual = dynamic_cast<ManualViewController*>(next.get());
        if (manual == nullptr) return;
        manual->delegate = delegate;
        d->pushController(next);
    }
    setupTranslation();
}

}  // namespace prefs
