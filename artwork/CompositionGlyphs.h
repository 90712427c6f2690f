#pragma once
// Internal: the four composition-guide glyphs (CustomDrawButton tags 1 to 4), each drawn in
// a 44 x 44 design box by the glyph canvas.

#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork::detail {

void goldenSection(platform::GraphicsContext& ctx);
void triangles(platform::GraphicsContext& ctx);
void thirds(platform::GraphicsContext& ctx);
void centredSquare(platform::GraphicsContext& ctx);

}  // namespace lumora::artwork::detail
