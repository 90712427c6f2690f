#pragma once
// The camera bar's mode buttons, one class per glyph: advanced photo (a camera), self-timer
// (a stopwatch), time lapse, advanced video (a film camera) and the white-balance lock.

#include "artwork/GlyphButton.h"

namespace lumora {

class CameraButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(CameraButton)
    CameraButton() = default;
    explicit CameraButton(CGRect frame) : GlyphButton(frame) {}

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;
};

class TimerButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(TimerButton)
    TimerButton() = default;
    explicit TimerButton(CGRect frame) : GlyphButton(frame) {}

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;
};

class TimeLapseButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(TimeLapseButton)
    TimeLapseButton() = default;
    explicit TimeLapseButton(CGRect frame) : GlyphButton(frame) {}

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;
};

class MovieButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(MovieButton)
    MovieButton() = default;
    explicit MovieButton(CGRect frame) : GlyphButton(frame) {}

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;
};

class WBLockButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(WBLockButton)
    WBLockButton() = default;
    explicit WBLockButton(CGRect frame) : GlyphButton(frame) {}

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;
};

}  // namespace lumora
