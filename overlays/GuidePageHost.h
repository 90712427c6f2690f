#pragma once
// Where the guide page lives: the third page of the camera bar view's horizontal strip.

#include <memory>

#include "platform/geometry/Geometry.h"

class UIView;
class UIScrollView;

namespace lumora {

// The camera bar view's strip, or null while there is no camera bar view.
UIScrollView* cameraBarStrip();
// The camera bar view's frame (its hidden-position frame before it exists); its size is a page.
CGRect guidePageFrame();
// Adds the page to the strip and makes the strip three pages wide.
void addGuidePageToCameraBar(const std::shared_ptr<UIView>& page);

}  // namespace lumora
