#pragma once
// The camera screen's controls: shutter, flip button, the flash and HDR menus, the filter
// button, zoom slider, slow-motion frame-rate badge and the row of mode names.

#include <memory>
#include <string>
#include <vector>

#include "hostapi/HostAPI.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"

namespace host {

// Shutter modes (setMode:animated:). 4 and 5 are the recording states.
enum ShutterMode : long {
    kShutterStill = 0,
    kShutterVideo = 1,
    kShutterSlalom = 2,
    kShutterPanorama = 3,
    kShutterVideoRecording = 4,
    kShutterSlalomRecording = 5,
    kShutterTimeLapse = 6,
};

// A white ring around a white disc (photo) or a red one (video); a red square while recording.
class ShutterButton : public CAMShutterButton {
public:
    explicit ShutterButton(CGRect frame) : CAMShutterButton() { setFrame(frame); }
    long mode() const { return mode_; }
    // setMode:animated: as the host implements it.
    void applyMode(long mode, bool animated);
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    long mode_ = kShutterStill;
};

// A camera outline with two turning arrows.
class FlipButton : public UIButton {
public:
    LU_OBJC_CLASS(CAMFlipButton)
    explicit FlipButton(CGRect frame) : UIButton(frame) {}
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
};

// A top-bar menu (flash with its bolt, HDR) that expands into its options.
class ExpandableMenuButton : public CAMExpandableMenuButton {
public:
    enum class Kind { Flash, HDR };
    ExpandableMenuButton(Kind kind, CGRect frame);

    Kind kind() const { return kind_; }
    bool isExpanded() const { return expanded_; }
    const std::vector<std::string>& options() const { return options_; }
    long selectedOption() const { return selected_; }
    void selectOption(long index);
    // The option buttons shown while expanded (in window hit-testing they are subviews).
    const std::vector<std::shared_ptr<UIButton>>& optionButtons() const { return optionButtons_; }
    // The last orientation it was told, and the last hold it turned for (1-4).
    long orientation() const { return orientation_; }
    long hold() const { return hold_; }

    // Host implementations of the replaceable methods.
    void startExpansion(CGRect proposedFrame);
    void startCollapsing(CGRect proposedFrame);
    void applyOrientation(long orientation, bool animated);

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

    // Where the options start in the open menu (the menu's mark comes first).
    static constexpr double kOptionsStart = 60;

private:
    void layoutOptions();

    Kind kind_;
    bool expanded_ = false;
    long selected_ = 0;
    long orientation_ = 1;
    long hold_ = 1;
    std::vector<std::string> options_;
    std::vector<std::shared_ptr<UIButton>> optionButtons_;
};

// Three overlapping circles; its set-up runs _commonCAMFilterButtonInitialization.
class FilterButton : public CAMFilterButton {
public:
    explicit FilterButton(CGRect frame) { setFrame(frame); }
    // Host implementation of _commonCAMFilterButtonInitialization.
    void commonInitialization();
    bool isInitialized() const { return initialized_; }
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    bool initialized_ = false;
};

class ZoomSlider : public CAMZoomSlider {
public:
    ZoomSlider() = default;
    // Host implementation of initWithFrame:.
    void initWithFrame(CGRect frame) { setFrame(frame); }
    void makeInvisible() override { setAlpha(0); }
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
};

// The slow-motion frame-rate badge ("120 FPS").
class SlalomIndicatorView : public CAMSlalomIndicatorView {
public:
    explicit SlalomIndicatorView(CGRect frame);
    void setFramesPerSecond(long framesPerSecond) override;
    long framesPerSecond() const { return fps_; }
    std::shared_ptr<UILabel> _framerateLabel() const override { return label_; }
    void layoutSubviews() override;

private:
    long fps_ = 0;
    std::shared_ptr<UILabel> label_;
};

// The mode names in a row (a column on a tablet), the current one amber.
class ModeRow : public UIView {
public:
    LU_OBJC_CLASS(CAMModeDial)
    explicit ModeRow(CGRect frame) : UIView(frame) {}
    void setModes(const std::vector<std::string>& names, long current);
    void setVertical(bool vertical);
    long currentIndex() const { return current_; }
    const std::vector<std::shared_ptr<UILabel>>& labels() const { return labels_; }
    void layoutSubviews() override;

private:
    std::vector<std::shared_ptr<UILabel>> labels_;
    long current_ = 0;
    bool vertical_ = false;
};

// Colours of the camera screen.
inline constexpr UIColor kAmber = platform::Color{1.0, 0.8, 0.0, 1.0};
inline constexpr UIColor kRecordRed = platform::Color{0.93, 0.15, 0.12, 1.0};

}  // namespace host
