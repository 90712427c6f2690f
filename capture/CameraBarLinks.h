#pragma once
// What the format functions ask of camera-bar objects that live elsewhere. The camera bar
// controller (`cameraBar`) and the stabilization button (`modeToggleStabilizationBtn`) are held
// by the state record as plain objects; the calls below do nothing while a field is null or
// holds something else.

#include <memory>

class NSObject;

namespace lumora {

class CustomDrawButton;

// Element commands of the camera bar's `toggleElementFinished:extraInfo:` used here.
inline constexpr int kShowDimensionIndicator = 8;   // "SHOW_DIMENSION_INDICATOR"
inline constexpr int kHideDimensionIndicator = -7;  // "HIDE_DIMENSION_INDICATOR"

// The camera bar controller's command channel for showing and hiding its elements; the camera
// bar's class implements it.
class ElementToggling {
public:
    virtual ~ElementToggling() = default;
    virtual void toggleElementFinished(int index, float extraInfo) = 0;
};

// Sends a command to `cameraBar`; nothing without a camera bar.
void tellCameraBar(int index, float extraInfo);

// The stabilization button (its drawing flow is the mode it shows), or null.
CustomDrawButton* stabilizationButton();

}  // namespace lumora
