#pragma once
// Internal: the wrench, tab, page-arrow and stabilization glyphs (CustomDrawButton tags 5 to 9).

#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork::detail {

void wrench(platform::GraphicsContext& ctx);                               // 44 x 44
void focusTab(platform::GraphicsContext& ctx, bool manual, bool open);     // 44 x 44
void exposureTab(platform::GraphicsContext& ctx, bool manual, bool open);  // 44 x 44
void pageArrow(platform::GraphicsContext& ctx);                            // 20 x 50
void stabilization(platform::GraphicsContext& ctx, int mode);              // 44 x 44

}  // namespace lumora::artwork::detail
