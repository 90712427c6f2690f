#include "artwork/ModeButtons.h"

namespace lumora {

using artwork::GlyphState;
using platform::GraphicsContext;

void CameraButton::drawGlyphInRect(GraphicsContext& ctx, CGRect rect, const GlyphState& state) {
    artwork::drawCameraButton(ctx, rect, state);
}

void TimerButton::drawGlyphInRect(GraphicsContext& ctx, CGRect rect, const GlyphState& state) {
    artwork::drawTimerButton(ctx, rect, state);
}

void TimeLapseButton::drawGlyphInRect(GraphicsContext& ctx, CGRect rect, const GlyphState& state) {
    artwork::drawTimeLapseButton(ctx, rect, state);
}

void MovieButton::drawGlyphInRect(GraphicsContext& ctx, CGRect rect, const GlyphState& state) {
    artwork::drawMovieButton(ctx, rect, state);
}

void WBLockButton::drawGlyphInRect(GraphicsContext& ctx, CGRect rect, const GlyphState& state) {
    artwork::drawWBLockButton(ctx, rect, state);
}

}  // namespace lumora
