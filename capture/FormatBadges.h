#pragma once
// The two badges on the host's bottom bar that show the capture format: the resolution
// indicator (a quality icon over "720p", tag 125) and the frame-rate badge (tag 126), which is
// the host's own CAMSlalomIndicatorView on slow-motion devices and a CustomSlalomIndicatorView
// elsewhere. A tap on either runs the callback given at creation (the camera bar's
// `toggleElement:`), bound weakly to its owner.

#include <memory>

#include "platform/geometry/Geometry.h"
#include "platform/ui/UIGestureRecognizer.h"

namespace lumora {

inline constexpr long kDimensionIndicatorTag = 125;
inline constexpr long kFrameRateBadgeTag = 126;

// The resolution icon of a height: its file under the resource folder and its frame inside the
// indicator.
struct ResolutionIcon {
    const char* file;
    CGRect frame;
};
ResolutionIcon resolutionIconForHeight(int height);

// Shows "<height>p" and the height's icon on the resolution indicator (when it exists) and has
// the camera bar show it. Nothing in host modes 2 and 3.
void assignCurrentDimensionAndSetLabel(int height);

// Records `rate` as the rate in force and the stored rate, and shows it on the frame-rate badge;
// a rate of 0 (the device's default) shows as 60 on the iPhone 6 models, else 30.
void assignCurrentFrameRateAndSetLabel(int rate);

// While resolutions are shown: creates the frame-rate table, and creates the resolution
// indicator in host mode 1 or a photo mode (or has the camera bar show it again), or has the
// camera bar hide it in any other mode.
void createOrToggleDimensionIndicatorAndLabels(const UIGestureRecognizer::Action& callbackSelector,
                                               const std::shared_ptr<NSObject>& callbackOwner);

// While frame rates are shown: empties the frame-rate table (so the next getDimensions(true)
// rebuilds it), then creates or unhides the frame-rate badge in camera mode 1 and hides it in any
// other mode.
void createOrToggleFrameRateLabelsEx(const UIGestureRecognizer::Action& callbackSelector,
                                     const std::shared_ptr<NSObject>& callbackOwner, int mode,
                                     int rate);

// The badge frames used on tablets, from the screen bounds as reported.
CGRect getSlalomDimensionIndicatorFrame();
CGRect getSlalomFPSIndicatorFrame();

// A w x h rectangle centred on the screen.
CGRect getDimensionSelectionViewFrame(CGFloat w, CGFloat h);

}  // namespace lumora
