#pragma once
// A control with a title and an image per state, shown by a title label and an image view
// (created when first needed). A state without its own title, colour or image uses the
// normal state's. A custom button's title is white by default, a system button's is the tint
// blue.

#include <map>
#include <memory>
#include <string>

#include "platform/ui/UIControl.h"
#include "platform/ui/UIImage.h"

class UILabel;
class UIImageView;

enum UIButtonType : long {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
};

class UIButton : public UIControl {
public:
    LU_OBJC_CLASS(UIButton)
    UIButton() = default;
    explicit UIButton(CGRect frame) : UIControl(frame) {}
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
    UIButtonType buttonType() const { return type_; }

    void setTitle(const std::string& title, UIControlState state);
    std::string titleForState(UIControlState state) const;
    void setTitleColor(UIColor color, UIControlState state);
    UIColor titleColorForState(UIControlState state) const;
    void setImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> imageForState(UIControlState state) const;
    void setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> backgroundImageForState(UIControlState state) const;

    std::string currentTitle() const { return titleForState(state()); }
    std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }
    // The label showing the title (set its font here); created on first use.
    UILabel* titleLabel();
    UIImageView* imageView();

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

protected:
    void stateDidChange() override;

private:
    template <class T>
    static T lookup(const std::map<UIControlState, T>& m, UIControlState s, T fallback);
    void refresh();

    UIButtonType type_ = UIButtonTypeCustom;
    std::map<UIControlState, std::string> titles_;
    std::map<UIControlState, UIColor> titleColors_;
    std::map<UIControlState, std::shared_ptr<UIImage>> images_;
    std::map<UIControlState, std::shared_ptr<UIImage>> backgrounds_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
};
