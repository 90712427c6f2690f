#pragma once
// The resolution picker: a rounded panel over the preview with one button per offered height,
// ascending, three to a row. It fades in with its buttons and out without them; the owner learns
// the end of each fade through the callback it passes (bound weakly by the caller).
//
// An entry is offered when its value is above 0 and the height is valid for the current device,
// mode and camera (isValidDimension).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/TweakState.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIView.h"

namespace lumora {

class CKBlurView;

// The dimension dictionary: height keys (numbers or numeric strings) with their highest frame
// rate.
struct DimensionEntry {
    ns::Value height;
    ns::Value maxFrameRate;
};
using DimensionDictionary = std::vector<DimensionEntry>;
DimensionDictionary dimensionDictionary(const FrameRateTable& table);

// The offered heights, ascending.
std::vector<int> offeredHeights(const DimensionDictionary& dictionary);

// The panel's height for n buttons: 170 for up to two rows, 230 for three, one more row of 65
// for each further row.
CGFloat dimensionPanelHeight(std::size_t buttonCount);

inline constexpr CGFloat kDimensionPanelWidth = 250;

class CustomDimensionView : public UIView {
public:
    LU_OBJC_CLASS(CustomDimensionView)
    using Finished = std::function<void()>;

    // initWithFrame: a clear panel with rounded, masking corners that follows the device's
    // orientation.
    static std::shared_ptr<CustomDimensionView> create(CGRect frame);
    explicit CustomDimensionView(CGRect frame);
    ~CustomDimensionView() override;

    // Sizes the panel for the offer, fades it in over 0.1 s, then calls `finished` and builds the
    // buttons. A fade-out requested meanwhile cancels both.
    void fadeInDimensionView(int height, Finished finished, const DimensionDictionary& dictionary,
                             const std::shared_ptr<NSObject>& owner,
                             UIGestureRecognizer::Action btnCallback);
    // Removes the buttons at once and fades out over 0.1 s, then calls `finished`.
    void fadeOutDimensionView(int ignored, Finished finished);
    // A fade-in was asked for and not cancelled: the panel is showing or about to.
    bool isFadingIn() const { return fadingIn_; }

    void initButtons(const DimensionDictionary& dictionary, const std::shared_ptr<NSObject>& owner,
                     const UIGestureRecognizer::Action& btnCallback);
    UIView* getButtonWithTag(int tag);
    void removeButtonWithTag(int tag);
    void removeAllButtonsAndImageView();
    void setBlur();
    // Re-centres and turns the panel for the device's orientation (face up / down ignored).
    void didRotate();

    const std::shared_ptr<CKBlurView>& blur() const { return blur_; }
    const std::shared_ptr<UIView>& nonBlur() const { return nonBlur_; }

private:
    std::shared_ptr<CKBlurView> blur_;
    std::shared_ptr<UIView> nonBlur_;
    // Bumped by every fade request, so a superseded fade's completion does nothing.
    std::uint64_t fadeGeneration_ = 0;
    bool fadingIn_ = false;
};

}  // namespace lumora
