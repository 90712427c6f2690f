#pragma once
// A contact sheet of the add-on's drawn views for people to look at: every glyph button in
// each state, the frame-rate and resolution badges, the cut-out label, the blur backdrop over
// a test pattern and the dial marks, captioned, on a dark background. Rendered by the screen
// renderer like any view tree.

#include <memory>
#include <string>

#include "platform/geometry/Geometry.h"

class UIView;

namespace platform {
class BitmapContext;
}

namespace sim {

// The gallery's size in points; it renders at kGalleryScale pixels per point.
inline constexpr CGSize kGallerySize{600, 1066};
inline constexpr double kGalleryScale = 2;

// The view tree of the gallery, its root of kGallerySize at the origin.
std::shared_ptr<UIView> makeGalleryView();
// The rendered gallery (kGallerySize at kGalleryScale).
std::unique_ptr<platform::BitmapContext> renderGallery();
// Writes the gallery as a PNG; false with `error` set when it cannot be written.
bool writeGalleryPng(const std::string& path, std::string& error);

}  // namespace sim
