#pragma once
// One page of the four-page user manual: illustrated notes under section headers, with
// "Previous" and "Next" buttons. "Next" pushes the following page through the delegate;
// "Previous" goes back to the page below (never pushing a page of its own), so the manual adds
// at most four screens to the navigation stack. The pages show the navigation bar (with its
// back button) that the main screen hides.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIViewController.h"
#include "prefs/ControllerDelegate.h"
#include "prefs/ManualIllustration.h"

namespace prefs {

class ManualViewController : public UIViewController {
public:
    LU_OBJC_CLASS(ManualViewController)
    // A page of the storyboard (1 to 4).
    explicit ManualViewController(int page);
    // initWithNibName:bundle: — page 1 from one of the "ManualPage1_..." nibs.
    ManualViewController(const std::string& nibName, const std::string& bundlePath);

    int page() const { return page_; }
    const std::string& nibName() const { return nibName_; }

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void setupTranslation();
    // The next and previous buttons' action: the page is the sender's tag + 1.
    void toNextPage(const UIView& sender);
    static std::string GetResource(const std::string& key);

    WeakDelegate delegate;

    std::shared_ptr<UIScrollView> scrollView;
    std::shared_ptr<UIView> containerView1, photoCameraTitlebar;
    std::shared_ptr<UIButton> p1_nextBtn, p2_nextBtn, p3_nextBtn, p2_prevBtn, p3_prevBtn,
        p4_prevBtn;
    std::shared_ptr<UILabel> p1_headerPhotoCam, p2_headerPhotoCam, p2_headerVideoCam,
        p3_headerAccessFunctions, p3_headerMisc, p4_headerOverlays, p4_headerOther;
    std::shared_ptr<UILabel> p1_adv1, p1_lapse1, p1_timer1, p2_wb1, p2_wb2, p2_adv1, p2_snapshot;
    std::shared_ptr<UILabel> p3_access, p3_dimensions, p3_fps, p4_overlays, p4_verticalWarning;
    std::shared_ptr<ManualIllustration> cameraButtonDrawView, cameraButtonDrawView2,
        cameraButtonDrawViewWhite, timerButtonDrawView, timeLapseButtonDrawView,
        WBLockButtonDrawView, WBLockButtonDrawView2, MovieButtonDrawView, MovieButtonDrawViewWhite,
        focusTabView, exposureTabView, focusTabView_M, exposureTabView_M, macroView, infinityView,
        goldenRatio, triSection, thirds, square, stabilization1, stabilization2, stabilization3;

private:
    friend class ManualPageBuilder;
    int page_;
    std::string nibName_;
};

}  // namespace prefs
