#pragma once
// The Settings app's navigation bar: the title of the screen shown and, below the first screen,
// a back button titled after the screen it returns to (as the phone's Settings shows it).

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"

class UINavigationController;

namespace host {

class SettingsNavigationBar : public UIView {
public:
    LU_OBJC_CLASS(UINavigationBar)
    static constexpr double kHeight = 64;  // the status bar and the bar itself

    explicit SettingsNavigationBar(CGRect frame);
    // Shows the navigation stack's top screen.
    void update(const UINavigationController& navigation);

    const std::shared_ptr<UIButton>& backButton() const { return back_; }
    const std::shared_ptr<UILabel>& titleLabel() const { return title_; }
    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> title_;
    std::shared_ptr<UIButton> back_;
};

}  // namespace host
