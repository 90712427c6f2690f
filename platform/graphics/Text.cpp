#include "platform/graphics/Text.h"

#include <cairo.h>

#include "platform/graphics/TextShaping.h"

namespace platform {

namespace {

// A private 1 x 1 context per thread for measuring without a drawing context.
cairo_t* measuringContext() {
    struct Holder {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
        cairo_t* cr = cairo_create(surface);
        ~Holder() {
            cairo_destroy(cr);
            cairo_surface_destroy(surface);
        }
    };
    thread_local Holder holder;
    return holder.cr;
}

}  // namespace

FontMetrics fontMetrics(const TextStyle& style) {
    return text::shape(measuringContext(), {}, style).metrics;
}

CGSize measureText(std::string_view s, const TextStyle& style) {
    if (s.empty()) return CGSizeZero;
    const auto run = text::shape(measuringContext(), s, style);
    if (run.empty()) return CGSizeZero;
    return {run.width, run.metrics.lineHeight};
}

std::vector<std::string> wrapLines(std::string_view s, const TextStyle& style, CGFloat maxWidth) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t nl = s.find('\n', start);
        const std::string_view para =
            s.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        std::string line;
        size_t i = 0;
        while (i < para.size()) {
            const size_t space = para.find(' ', i);
            const std::string_view word = para.substr(
                i, space == std::string_view::npos ? std::string_view::npos : space - i);
            std::string candidate =
                line.empty() ? std::string(word) : line + " " + std::string(word);
            if (!line.empty() && measureText(candidate, style).width > maxWidth) {
                lines.push_back(line);
                line = std::string(word);
            } else {
                line = std::move(candidate);
            }
            if (space == std::string_view::npos) break;
            i = space + 1;
        }
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

}  // namespace platform
