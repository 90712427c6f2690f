#pragma once
// The branches of the camera bar's toggleElement: for the resolution badge, a resolution
// picker button and a guide button.

class UIView;

namespace lumora {

class CameraBar;

// Opens the resolution picker (creating it the first time), or closes it when it is up or on
// its way up.
void tapResolutionBadge(CameraBar& bar);
// Closes the picker and applies the button's height.
void tapResolutionButton(CameraBar& bar, const UIView& button);
// Chooses (or switches off) the guide of the button's tag.
void tapGuideButton(const UIView& button);

}  // namespace lumora
