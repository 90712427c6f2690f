#include "prefs/LU_MainViewController.h"

#include <algorithm>

#include "platform/device/UIDevice.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UINavigationController.h"
#include "prefs/AFViewController.h"
#include "prefs/CameraRestart.h"
#include "prefs/LU_HDTools.h"
#include "prefs/MainViewStoryboard.h"
#include "prefs/ManualViewController.h"
#include "prefs/PrefsState.h"
#include "prefs/Translations.h"

namespace prefs {
namespace {

// The screen draws its own header: the navigation bar is hidden while it shows. On a
// 480-point-tall phone the title sits beside the back button, as in a bar.
constexpr double kHeaderHeight = 110;
constexpr double kCompactHeaderHeight = 64;

std::shared_ptr<UISwitch> makeSwitch(const char* id) {
    auto s = std::make_shared<UISwitch>();
    s->setAccessibilityIdentifier(id);
    return s;
}

}  // namespace

LU_MainViewController::LU_MainViewController() {
    initDictionary();
}

void LU_MainViewController::initDictionary() {
    preferences = readPreferences();
}

std::string LU_MainViewController::GetResource(const std::string& key) {
    return prefs::GetResource(key);
}

void LU_MainViewController::bind(const std::shared_ptr<UISwitch>& control,
                                 void (LU_MainViewController::*action)()) {
    std::weak_ptr<NSObject> weakSelf = weak_from_this();
    control->addTarget(
        weak_from_this().lock(),
        [weakSelf, action](UIControl*, UIEvent*) {
            if (auto self = weakSelf.lock())
                (static_cast<LU_MainViewController*>(self.get())->*action)();
        },
        UIControlEventValueChanged);
}

void LU_MainViewController::loadView() {
    const CGRect screen = UIScreen::mainScreen().bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(groupedBackgroundColor());
    setView(root);

    const bool compact = screen.size.height <= 480;
    containerView1 = std::make_shared<GroupedTableView>(screen);
    containerView1->setTopInset(compact ? kCompactHeaderHeight : kHeaderHeight);
    containerView1->setCompact(compact);
    root->addSubview(containerView1);

    // Header: back to the Settings list, and the bundle's name in large type.
    backButton = std::make_shared<UIButton>(CGRectMake(8, 20, 120, 44));
    backButton->setAccessibilityIdentifier(ids::kBack);
    backButton->setTitle("\u2039 Settings", UIControlStateNormal);
    backButton->setTitleColor(platform::Color{0.0, 0.48, 1.0, 1.0}, UIControlStateNormal);
    std::weak_ptr<NSObject> weakSelf = weak_from_this();
    backButton->addTarget(
        weak_from_this().lock(),
        [weakSelf](UIControl*, UIEvent*) {
            auto self = weakSelf.lock();
            if (!self) return;
            if (UINavigationController* nav =
                    static_cast<UIViewController*>(self.get())->navigationController()) {
                nav->popViewController(true);
            }
        },
        UIControlEventTouchUpInside);
    containerView1->addSubview(backButton);
    titleLabel = compact
                     ? std::make_shared<UILabel>(
                           CGRectMake(screen.size.width / 4, 20, screen.size.width / 2, 44))
                     : std::make_shared<UILabel>(CGRectMake(15, 62, screen.size.width - 30, 40));
    titleLabel->setFont(UIFont::fontWithName("HelveticaNeue-Bold", compact ? 17 : 32));
    if (compact) titleLabel->setTextAlignment(NSTextAlignmentCenter);
    titleLabel->setText("Lumora3");
    containerView1->addSubview(titleLabel);

    enabledSwitch = makeSwitch(ids::kEnabled);
    advancedPhoto = makeSwitch(ids::kAdvPhoto);
    advancedVideo = makeSwitch(ids::kAdvVideo);
    rememberSettings = makeSwitch(ids::kRemember);
    rememberFPSSettings = makeSwitch(ids::kRememberFPS);

    alwaysOn = containerView1->addSection();
    enabledView = containerView1->addSwitchRow(enabledSwitch);
    enabledLabel = static_cast<TableCell*>(enabledView.get())->textLabel();
    saveFailedLabel = containerView1->addFooter();
    saveFailedLabel->setTextColor(UIColor::colorWithRed(0.9, 0.1, 0.1, 1));
    saveFailedLabel->setHidden(true);

    photoCam = containerView1->addSection();
    cameraAdvView = containerView1->addSwitchRow(advancedPhoto);
    startupAdv1 = static_cast<TableCell*>(cameraAdvView.get())->textLabel();

    videoCam = containerView1->addSection();
    videoAdvView = containerView1->addSwitchRow(advancedVideo);
    startupAdv2 = static_cast<TableCell*>(videoAdvView.get())->textLabel();

    settings = containerView1->addSection();
    rememberView = containerView1->addSwitchRow(rememberSettings);
    remember = static_cast<TableCell*>(rememberView.get())->textLabel();
    rememberFPSView = containerView1->addSwitchRow(rememberFPSSettings);
    rememberFPS = static_cast<TableCell*>(rememberFPSView.get())->textLabel();

    containerView1->addSection();
    auto af = containerView1->addLinkRow();
    af->setAccessibilityIdentifier(ids::kActiveFeatures);
    activeFeatures = af->textLabel();
    auto manual = containerView1->addLinkRow();
    manual->setAccessibilityIdentifier(ids::kUserManual);
    userManual = manual->textLabel();
    activeFeaturesUserManualView = manual;

    af->addTarget(
        weak_from_this().lock(),
        [weakSelf](UIControl*, UIEvent*) {
            if (auto self = weakSelf.lock())
                static_cast<LU_MainViewController*>(self.get())->ShowActiveFeatures();
        },
        UIControlEventTouchUpInside);
    manual->addTarget(
        weak_from_this().lock(),
        [weakSelf](UIControl*, UIEvent*) {
            if (auto self = weakSelf.lock())
                static_cast<LU_MainViewController*>(self.get())->ShowManual();
        },
        UIControlEventTouchUpInside);
    bind(enabledSwitch, &LU_MainViewController::enabledSwitched);
    bind(advancedPhoto, &LU_MainViewController::advPhotoSwitched);
    bind(advancedVideo, &LU_MainViewController::advVideoSwitched);
    bind(rememberSettings, &LU_MainViewController::rememberSettingsSwitched);
    bind(rememberFPSSettings, &LU_MainViewController::rememberFPSSettingsSwitched);
}

void LU_MainViewController::viewDidLoad() {
    for (const auto& v : {enabledView, cameraAdvView, videoAdvView, rememberView, rememberFPSView,
                          activeFeaturesUserManualView}) {
        v->layer().setBorderWidth(0.3);
        v->layer().setBorderColor(UIColor::colorWithRed(0.8, 0.8, 0.8, 1.0));
    }
    // With no file yet the readers give their defaults, which are what the add-on uses.
    const auto& p = preferences;
    using T = LU_HDTools;
    enabledSwitch->setOn(T::boolForKey("ENABLED", true, p));
    rememberSettings->setOn(T::boolForKey("rememberSettings", false, p));
    rememberFPSSettings->setOn(T::boolForKey("rememberFPSSettings", false, p));
    advancedPhoto->setOn(T::intForKey("advPhotoModeAsDefault", 0, p) != 0);
    advancedVideo->setOn(T::intForKey("advVideoModeAsDefault", 0, p) != 0);
    BundleState& s = state();
    s.showDimensions = T::boolForKey("showDimensions", true, p);
    s.showFPS = T::boolForKey("showFPS", true, p);
    s.showOverlays = T::boolForKey("showOverlays", true, p);
    s.showHorizonAlignment = T::boolForKey("showHorizonAlignment", true, p);
    s.showVerticalAlert = T::boolForKey("showVerticalAlert", true, p);
    s.showBulb = T::boolForKey("showBulb", false, p);
    s.showMemoryWarning = T::boolForKey("showMemoryWarning", true, p);
    s.blurButtonBar = T::boolForKey("blurButtonBar", !s.IS_IPHONE_4, p);
    s.unMirrorSelfies = T::boolForKey("unMirrorSelfies", false, p);
    setupTranslation();
    // The table is as wide as the screen's shorter side.
    const CGSize screen = UIScreen::mainScreen().bounds().size;
    CGRect f = containerView1->frame();
    f.size.width = std::min(screen.width, screen.height);
    containerView1->setFrame(f);
}

void LU_MainViewController::setupTranslation() {
    photoCam->setText(GetResource("PHOTO_CAM"));
    videoCam->setText(GetResource("VID_CAM"));
    settings->setText(GetResource("SETTINGS"));
    startupAdv1->setText(GetResource("START_IN_ADV_MODE"));
    startupAdv2->setText(GetResource("START_IN_ADV_MODE"));
    remember->setText(GetResource("REMEMBER"));
    rememberFPS->setText(GetResource("REMEMBER_FPS"));
    alwaysOn->setText(GetResource("ALWAYS_ON"));
    enabledLabel->setText(GetResource("ENABLE"));
    if (useAdvZoom) useAdvZoom->setText(GetResource("ADV_ZOOM"));
    activeFeatures->setText(GetResource("ACT_FEATURES"));
    userManual->setText(GetResource("USER_MANUAL"));
    saveFailedLabel->setText(GetResource("SAVE_FAILED"));
    containerView1->setNeedsLayout();
}

void LU_MainViewController::viewDidAppear(bool animated) {
    if (UINavigationController* nav = navigationController()) {
        nav->setNavigationBarHidden(true, animated);
    }
}

bool LU_MainViewController::store(const PreferenceChanges& changes, UISwitch& control) {
    if (auto written = storePreferences(changes)) {
        preferences = std::move(written);
        if (!saveFailedLabel->isHidden()) {
            saveFailedLabel->setHidden(true);
            containerView1->setNeedsLayout();
        }
        return true;
    }
    control.setOn(!control.isOn());
    saveFailedLabel->setHidden(false);
    containerView1->setNeedsLayout();
    return false;
}

// Stored first: the add-on reads "ENABLED" only when the camera starts, so the camera is ended
// only once the new value is in the file.
void LU_MainViewController::enabledSwitched() {
    if (store({{"ENABLED", enabledSwitch->isOn() ? 1 : 0}}, *enabledSwitch)) killCamera();
}

void LU_MainViewController::advPhotoSwitched() {
    store({{"advPhotoModeAsDefault", advancedPhoto->isOn() ? 1 : 0}}, *advancedPhoto);
}

void LU_MainViewController::advVideoSwitched() {
    store({{"advVideoModeAsDefault", advancedVideo->isOn() ? 1 : 0}}, *advancedVideo);
}

void LU_MainViewController::rememberSettingsSwitched() {
    store({{"rememberSettings", rememberSettings->isOn()}}, *rememberSettings);
}

// Either way the stored frame rate and resolutions go back to the host's; turning it off also
// ends the camera, whose values in force would otherwise be saved again.
void LU_MainViewController::rememberFPSSettingsSwitched() {
    const bool on = rememberFPSSettings->isOn();
    const PreferenceChanges changes{
        {"rememberFPSSettings", on},     {"frameRateTime", 30},
        {"dimensionHeightVideoBack", 0}, {"dimensionHeightVideoFront", 0},
        {"dimensionHeightPhotoBack", 0}, {"dimensionHeightPhotoFront", 0}};
    if (store(changes, *rememberFPSSettings) && !on) killCamera();
}

void LU_MainViewController::ShowActiveFeatures() {
    auto d = delegate.lock();
    auto screen = instantiateViewControllerWithIdentifier("AF");
    if (!d || !screen) return;
    if (auto* af = dynamic_cast<AFViewController*>(screen.get())) af->delegate = delegate;
    d->pushController(screen);
}

void LU_MainViewController::ShowManual() {
    auto d = delegate.lock();
    auto screen = instantiateViewControllerWithIdentifier("manualPage1");
    if (!d || !screen) return;
    if (auto* page = dynamic_cast<ManualViewController*>(screen.get())) page->delegate = delegate;
    d->pushController(screen);
}

bool LU_MainViewController::setObjectForKeyInPreferences(const ns::Value& value,
                                                         const std::string& key) {
    auto written = storePreferences({{key, value}});
    if (written) preferences = std::move(written);
    return written.has_value();
}

bool LU_MainViewController::writePreferencesToFile() {
    auto written = storePreferences({});
    if (written) preferences = std::move(written);
    return written.has_value();
}

}  // namespace prefs
