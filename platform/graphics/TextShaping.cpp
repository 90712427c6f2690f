#include "platform/graphics/TextShaping.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/graphics/FontMap.h"

namespace platform::text {

namespace {

// Font faces are made once and shared by every context. At exit they are released together
// with cairo's and fontconfig's caches, so leak checkers see a clean process.
struct FaceCache {
    std::mutex mutex;
    std::map<std::tuple<std::string, bool, bool>, cairo_font_face_t*> faces;
    ~FaceCache() {
        for (auto& entry : faces) cairo_font_face_destroy(entry.second);
        cairo_debug_reset_static_data();
        FcFini();
    }
};

cairo_font_face_t* faceFor(const FontFace& face) {
    static FaceCache cache;
    std::lock_guard lock(cache.mutex);
    auto key = std::make_tuple(face.family, face.bold, face.italic);
    auto it = cache.faces.find(key);
    if (it != cache.faces.end()) return it->second;
    cairo_font_face_t* f = cairo_toy_font_face_create(
        face.family.c_str(), face.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        face.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cache.faces.emplace(key, f);
    return f;
}

// Unhinted metrics, so a line measures the same at every scale and in every context.
const cairo_font_options_t* fontOptions() {
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        return o;
    }();
    return options;
}

void appendReplacement(std::string& out) {
    out += "\xEF\xBF\xBD";
}

}  // namespace

std::string sanitizeUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int len = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            len = 1;
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        }
        bool ok = len > 0 && i + len <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            ok = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Reject overlong forms, surrogates and values beyond Unicode; NUL would end cairo's
        // string early.
        static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMin[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF || cp == 0)) {
            ok = false;
        }
        if (ok) {
            out.append(s.substr(i, len));
            i += len;
        } else {
            appendReplacement(out);
            ++i;
        }
    }
    return out;
}

bool selectFont(cairo_t* cr, const TextStyle& style) {
    if (!(style.fontSize > 0) || !std::isfinite(style.fontSize) || style.fontSize > 10000) {
        return false;
    }
    cairo_set_font_face(cr, faceFor(FontMap::resolve(style.fontName)));
    cairo_set_font_size(cr, style.fontSize);
    cairo_set_font_options(cr, fontOptions());
    return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

GlyphRun shape(cairo_t* cr, std::string_view text, const TextStyle& style) {
    GlyphRun run;
    if (!selectFont(cr, style)) return run;
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    if (cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS) return run;
    cairo_font_extents_t fe;
    cairo_scaled_font_extents(font, &fe);
    run.metrics = {fe.ascent, fe.descent, std::max(fe.height, fe.ascent + fe.descent)};
    if (text.empty()) return run;

    const std::string utf8 = sanitizeUtf8(text);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                         &glyphs, &count, nullptr, nullptr,
                                         nullptr) != CAIRO_STATUS_SUCCESS) {
        return run;
    }
    cairo_text_extents_t te;
    cairo_scaled_font_glyph_extents(font, glyphs, count, &te);
    const double kern = std::isfinite(style.kerning) ? style.kerning : 0;
    run.glyphs.assign(glyphs, glyphs + count);
    for (int i = 0; i < count; ++i) run.glyphs[i].x += kern * i;
    run.width = std::max(0.0, te.x_advance + kern * count);
    cairo_glyph_free(glyphs);
    return run;
}

}  // namespace platform::text
