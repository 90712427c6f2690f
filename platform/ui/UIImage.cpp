#include "platform/ui/UIImage.h"

#include "platform/foundation/FileSystem.h"

double UIImage::scaleForFileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    auto endsWith = [&](const char* suffix) {
        const std::string s(suffix);
        return name.size() >= s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0;
    };
    if (endsWith("@2x")) return 2;
    if (endsWith("@3x")) return 3;
    return 1;
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::string& phonePath) {
    if (phonePath.empty()) return nullptr;
    auto bytes = ns::FileSystem::shared().readFile(phonePath);
    if (!bytes || bytes->empty()) return nullptr;
    return imageWithImage(platform::Image::imageWithData(*bytes, scaleForFileName(phonePath)));
}

std::shared_ptr<UIImage> UIImage::imageWithImage(platform::ImageRef image) {
    if (image == nullptr) return nullptr;
    return std::shared_ptr<UIImage>(new UIImage(std::move(image)));
}
