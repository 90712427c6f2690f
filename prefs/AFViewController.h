#pragma once
// The active-features screen: switches that show or hide single camera-bar features, each
// stored as the integer 1 or 0 under its key through the delegate. Opening the screen stores
// nothing. The un-mirror switch ends the camera once its value is stored (the add-on reads it
// at start); the other switches never do. A failed store puts the switch back and says so.

#include <memory>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/preferences/PSViewController.h"
#include "prefs/ControllerDelegate.h"
#include "prefs/GroupedTable.h"

namespace prefs {

class AFViewController : public PSViewController {
public:
    LU_OBJC_CLASS(AFViewController)
    AFViewController() = default;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void setupTranslation();

    // Sets the switch, mirrors it in its bundle flag and, unless called while loading, stores
    // it. False when the store failed (switch and flag are then back as they were).
    bool switchSwitch(UISwitch& control, bool on, bool isOnViewDidLoad);
    void showDimensionsSwitched();
    void showFPSSwitched();
    void showHorizonAlignmentSwitched();
    void showVerticalAlertSwitched();
    void blurButtonBarSwitched();
    void unMirrorSelfiesSwitched();

    static std::string GetResource(const std::string& key);

    WeakDelegate delegate;
    std::shared_ptr<UISwitch> showDimensionsSW, showFPSSW, showHorizonAlignmentSW,
        showVerticalAlertSW, blurButtonBarSW, unMirrorSelfiesSW;
    std::shared_ptr<UILabel> show_1, show_2, show_3, show_4, turn_off, dimensionSel, FPSSel,
        HorizonAlignmentToggle, VerticalAlert, BlurBars, unMirror, unMirrorNote, saveFailedLabel;
    std::shared_ptr<GroupedTableView> tableView;

private:
    // The key and bundle flag of a switch of the table; null flag for a switch not in it.
    bool* flagFor(const UISwitch& control, std::string* key) const;
    void bind(const std::shared_ptr<UISwitch>& control, void (AFViewController::*action)());
};

}  // namespace prefs
