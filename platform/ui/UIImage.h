#pragma once
// An image for views: the drawing layer's bitmap with its scale (pixels per point).

#include <memory>
#include <string>

#include "platform/graphics/Image.h"
#include "platform/objc/NSObject.h"

class UIImage : public NSObject {
public:
    LU_OBJC_CLASS(UIImage)

    // Reads a phone path inside the device root (PNG or JPEG). Null when the file is missing or
    // not an image. A name ending in "@2x" or "@3x" before the extension sets the scale.
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::string& phonePath);
    // Wraps a bitmap; null for a null bitmap.
    static std::shared_ptr<UIImage> imageWithImage(platform::ImageRef image);

    // The size in points.
    CGSize size() const { return image_->size(); }
    double scale() const { return image_->scale(); }
    const platform::ImageRef& image() const { return image_; }

    // The scale a file name implies: 2 for "name@2x.png", 3 for "@3x", else 1.
    static double scaleForFileName(const std::string& path);

private:
    explicit UIImage(platform::ImageRef image) : image_(std::move(image)) {}
    platform::ImageRef image_;
};
