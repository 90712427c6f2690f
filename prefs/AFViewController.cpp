#include "prefs/AFViewController.h"

#include "platform/device/UIDevice.h"
#include "platform/ui/UINavigationController.h"
#include "prefs/CameraRestart.h"
#include "prefs/LU_MainViewController.h"
#include "prefs/PrefsState.h"
#include "prefs/Translations.h"

namespace prefs {
namespace {

constexpr double kBarHeight = 64;

std::shared_ptr<UISwitch> makeSwitch(const char* id) {
    auto s = std::make_shared<UISwitch>();
    s->setAccessibilityIdentifier(id);
    return s;
}

}  // namespace

std::string AFViewController::GetResource(const std::string& key) {
    return prefs::GetResource(key);
}

void AFViewController::bind(const std::shared_ptr<UISwitch>& control,
                            void (AFViewController::*action)()) {
    std::weak_ptr<NSObject> weakSelf = weak_from_this();
    control->addTarget(
        weak_from_this().lock(),
        [weakSelf, action](UIControl*, UIEvent*) {
            if (auto self = weakSelf.lock())
                (static_cast<AFViewController*>(self.get())->*action)();
        },
        UIControlEventValueChanged);
}

void AFViewController::loadView() {
    const CGRect screen = UIScreen::mainScreen().bounds();
    tableView = std::make_shared<GroupedTableView>(screen);
    tableView->setTopInset(kBarHeight);
    setView(tableView);
    showDimensionsSW = makeSwitch(ids::kShowDimensions);
    showFPSSW = makeSwitch(ids::kShowFPS);
    showHorizonAlignmentSW = makeSwitch(ids::kHorizon);
    showVerticalAlertSW = makeSwitch(ids::kVerticalAlert);
    blurButtonBarSW = makeSwitch(ids::kBlur);
    unMirrorSelfiesSW = makeSwitch(ids::kUnmirror);

    turn_off = tableView->addSection();
    dimensionSel = tableView->addSwitchRow(showDimensionsSW, show_1)->textLabel();
    FPSSel = tableView->addSwitchRow(showFPSSW, show_2)->textLabel();
    HorizonAlignmentToggle = tableView->addSwitchRow(showHorizonAlignmentSW, show_3)->textLabel();
    VerticalAlert = tableView->addSwitchRow(showVerticalAlertSW, show_4)->textLabel();
    BlurBars = tableView->addSwitchRow(blurButtonBarSW)->textLabel();
    tableView->addSection();
    unMirror = tableView->addSwitchRow(unMirrorSelfiesSW)->textLabel();
    unMirrorNote = tableView->addFooter();
    saveFailedLabel = tableView->addFooter();
    saveFailedLabel->setTextColor(UIColor::colorWithRed(0.9, 0.1, 0.1, 1));
    saveFailedLabel->setHidden(true);

    bind(showDimensionsSW, &AFViewController::showDimensionsSwitched);
    bind(showFPSSW, &AFViewController::showFPSSwitched);
    bind(showHorizonAlignmentSW, &AFViewController::showHorizonAlignmentSwitched);
    bind(showVerticalAlertSW, &AFViewController::showVerticalAlertSwitched);
    bind(blurButtonBarSW, &AFViewController::blurButtonBarSwitched);
    bind(unMirrorSelfiesSW, &AFViewController::unMirrorSelfiesSwitched);
}

void AFViewController::viewDidLoad() {
    const BundleState& s = state();
    switchSwitch(*showDimensionsSW, s.showDimensions, true);
    switchSwitch(*showFPSSW, s.showFPS, true);
    switchSwitch(*showHorizonAlignmentSW, s.showHorizonAlignment, true);
    switchSwitch(*showVerticalAlertSW, s.showVerticalAlert, true);
    switchSwitch(*blurButtonBarSW, s.blurButtonBar, true);
    switchSwitch(*unMirrorSelfiesSW, s.unMirrorSelfies, true);
    setupTranslation();
}

// The main screen hid the bar; this screen needs its back button.
void AFViewController::viewWillAppear(bool animated) {
    if (UINavigationController* nav = navigationController()) {
        nav->setNavigationBarHidden(false, animated);
    }
}

void AFViewController::setupTranslation() {
    setTitle(GetResource("ACT_FEATURES"));
    for (const auto& l : {show_1, show_2, show_3, show_4}) l->setText(GetResource("SHOW"));
    turn_off->setText(GetResource("TURN_OFF_FOR_SPEED"));
    dimensionSel->setText(GetResource("DIMENSION_SEL"));
    FPSSel->setText(GetResource("FPS_SEL"));
    HorizonAlignmentToggle->setText(GetResource("HOR_ALIGNMENT_TOGGLE"));
    VerticalAlert->setText(GetResource("VERT_ALERT"));
    BlurBars->setText(GetResource("USE_BLUR"));
    unMirror->setText(GetResource("UNMIRROR"));
    unMirrorNote->setText(GetResource("UNMIRROR_NOTE"));
    saveFailedLabel->setText(GetResource("SAVE_FAILED"));
    tableView->setNeedsLayout();
}

bool* AFViewController::flagFor(const UISwitch& control, std::string* key) const {
    BundleState& s = state();
    const struct {
        const UISwitch* control;
        const char* key;
        bool* flag;
    } rows[] = {
        {showDimensionsSW.get(), "showDimensions", &s.showDimensions},
        {showFPSSW.get(), "showFPS", &s.showFPS},
        {showHorizonAlignmentSW.get(), "showHorizonAlignment", &s.showHorizonAlignment},
        {showVerticalAlertSW.get(), "showVerticalAlert", &s.showVerticalAlert},
        {blurButtonBarSW.get(), "blurButtonBar", &s.blurButtonBar},
        {unMirrorSelfiesSW.get(), "unMirrorSelfies", &s.unMirrorSelfies},
    };
    for (const auto& row : rows) {
        if (row.control == &control) {
            *key = row.key;
            return row.flag;
        }
    }
    return nullptr;
}

bool AFViewController::switchSwitch(UISwitch& control, bool on, bool isOnViewDidLoad) {
    std::string key;
    bool* flag = flagFor(control, &key);
    if (flag == nullptr) return false;
    const bool before = *flag;
    control.setOn(on);
    *flag = control.isOn();
    if (isOnViewDidLoad) return true;
    auto d = delegate.lock();
    if (d && d->setObjectForKeyInPreferences(ns::Value(on ? 1 : 0), key)) {
        if (!saveFailedLabel->isHidden()) {
            saveFailedLabel->setHidden(true);
            tableView->setNeedsLayout();
        }
        return true;
    }
    control.setOn(before);
    *flag = before;
    saveFailedLabel->setHidden(false);
    tableView->setNeedsLayout();
    return false;
}

void AFViewController::showDimensionsSwitched() {
    switchSwitch(*showDimensionsSW, showDimensionsSW->isOn(), false);
}
void AFViewController::showFPSSwitched() {
    switchSwitch(*showFPSSW, showFPSSW->isOn(), false);
}
void AFViewController::showHorizonAlignmentSwitched() {
    switchSwitch(*showHorizonAlignmentSW, showHorizonAlignmentSW->isOn(), false);
}
void AFViewController::showVerticalAlertSwitched() {
    switchSwitch(*showVerticalAlertSW, showVerticalAlertSW->isOn(), false);
}
void AFViewController::blurButtonBarSwitched() {
    switchSwitch(*blurButtonBarSW, blurButtonBarSW->isOn(), false);
}

// The add-on reads the un-mirror setting when the camera starts: stored first, then the camera
// is ended (even when the value stored is the one it had).
void AFViewController::unMirrorSelfiesSwitched() {
    if (switchSwitch(*unMirrorSelfiesSW, unMirrorSelfiesSW->isOn(), false)) killCamera();
}

}  // namespace prefs
