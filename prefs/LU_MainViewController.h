#pragma once
// The bundle's main screen: the master switch, the start-in-advanced-mode switches of the
// photo and video cameras, the two remember switches, and the rows that open the active
// features and the user manual.
//
// Switches show the file's values, or the readers' defaults when there is no file. A change is
// stored at once (the file re-read and only the switched keys changed, created on the first
// change); a switch the camera cannot take over while it runs ends the camera, but only after
// the value is stored. A failed store puts the switch back and says so on the screen.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/ui/UIViewController.h"
#include "prefs/ControllerDelegate.h"
#include "prefs/GroupedTable.h"
#include "prefs/PreferencesFile.h"

class UIButton;

namespace prefs {

// Scenario and log names of the screens' controls (the same in every language).
namespace ids {
inline constexpr const char* kEnabled = "prefs-enabled";
inline constexpr const char* kAdvPhoto = "prefs-adv-photo";
inline constexpr const char* kAdvVideo = "prefs-adv-video";
inline constexpr const char* kRemember = "prefs-remember";
inline constexpr const char* kRememberFPS = "prefs-remember-fps";
inline constexpr const char* kActiveFeatures = "prefs-active-features";
inline constexpr const char* kUserManual = "prefs-user-manual";
inline constexpr const char* kShowDimensions = "prefs-show-dimensions";
inline constexpr const char* kShowFPS = "prefs-show-fps";
inline constexpr const char* kHorizon = "prefs-horizon";
inline constexpr const char* kVerticalAlert = "prefs-vertical-alert";
inline constexpr const char* kBlur = "prefs-blur";
inline constexpr const char* kUnmirror = "prefs-unmirror";
inline constexpr const char* kManualNext = "manual-next";
inline constexpr const char* kManualPrev = "manual-prev";
inline constexpr const char* kBack = "prefs-back";
}  // namespace ids

class LU_MainViewController : public UIViewController {
public:
    LU_OBJC_CLASS(LU_MainViewController)
    // The storyboard's initWithCoder: reads the file.
    LU_MainViewController();

    void initDictionary();
    void loadView() override;
    void viewDidLoad() override;
    void setupTranslation();
    void viewDidAppear(bool animated) override;

    void enabledSwitched();
    void advPhotoSwitched();
    void advVideoSwitched();
    void rememberSettingsSwitched();
    void rememberFPSSettingsSwitched();
    void ShowActiveFeatures();
    void ShowManual();

    // Stores one value (the delegate's store); false when the file could not be written.
    bool setObjectForKeyInPreferences(const ns::Value& value, const std::string& key);
    // Writes the file as it stands (re-read, nothing changed); false on failure.
    bool writePreferencesToFile();
    static std::string GetResource(const std::string& key);

    WeakDelegate delegate;
    // The file as last read or written; null when there is no file yet.
    std::optional<ns::Dictionary> preferences;

    std::shared_ptr<UISwitch> enabledSwitch, advancedPhoto, advancedVideo, rememberSettings,
        rememberFPSSettings;
    std::shared_ptr<UILabel> photoCam, videoCam, settings, startupAdv1, startupAdv2, remember,
        rememberFPS, alwaysOn, useAdvZoom, activeFeatures, userManual, enabledLabel, titleLabel,
        saveFailedLabel;
    std::shared_ptr<GroupedTableView> containerView1;
    std::shared_ptr<UIView> enabledView, cameraAdvView, videoAdvView, rememberView, rememberFPSView,
        activeFeaturesUserManualView;
    std::shared_ptr<UIButton> backButton;

private:
    // Stores the changes; on failure puts `control` back and shows the message.
    bool store(const PreferenceChanges& changes, UISwitch& control);
    void bind(const std::shared_ptr<UISwitch>& control, void (LU_MainViewController::*action)());
};

}  // namespace prefs
