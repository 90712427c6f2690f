#include "platform/graphics/Text.h"

#include <cairo.h>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

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

std::string withoutTrailingBlanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// Where a paragraph may break (byte offsets, the last one its end), by the Unicode line-breaking
// rules: after blanks and hyphens, and between the characters of Japanese and Chinese text, but
// never before their closing punctuation.
std::vector<size_t> breakOpportunities(std::string_view para) {
    std::vector<size_t> out;
    if (para.empty()) return out;
    UErrorCode status = U_ZERO_ERROR;
    thread_local std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), status));
    UText* text = utext_openUTF8(nullptr, para.data(), static_cast<int64_t>(para.size()), &status);
    if (iterator && U_SUCCESS(status)) {
        iterator->setText(text, status);
        if (U_SUCCESS(status)) {
            iterator->first();
            for (int32_t at = iterator->next(); at != icu::BreakIterator::DONE;
                 at = iterator->next()) {
                out.push_back(static_cast<size_t>(at));
            }
        }
    }
    utext_close(text);
    // Without the rules, at least after each blank.
    if (out.empty() || out.back() != para.size()) {
        out.clear();
        for (size_t i = para.find(' '); i != std::string_view::npos; i = para.find(' ', i + 1)) {
            out.push_back(i + 1);
        }
        if (out.empty() || out.back() != para.size()) out.push_back(para.size());
    }
    return out;
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
        // Greedy: each piece between two break opportunities goes on the line while the line,
        // without its trailing blanks, still fits.
        std::string line;
        size_t from = 0;
        for (const size_t to : breakOpportunities(para)) {
            const std::string_view piece = para.substr(from, to - from);
            from = to;
            std::string candidate = line + std::string(piece);
            if (!line.empty() &&
                measureText(withoutTrailingBlanks(candidate), style).width > maxWidth) {
                lines.push_back(withoutTrailingBlanks(line));
                line = std::string(piece);
            } else {
                line = std::move(candidate);
            }
        }
        lines.push_back(withoutTrailingBlanks(line));
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

}  // namespace platform
