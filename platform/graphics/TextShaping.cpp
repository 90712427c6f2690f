#include "platform/graphics/TextShaping.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

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

std::size_t GlyphRun::glyphCount() const {
    std::size_t n = 0;
    for (const auto& segment : segments) n += segment.glyphs.size();
    return n;
}

std::string fallbackFamily(uint32_t codepoint) {
    static std::mutex mutex;
    static std::map<uint32_t, std::string> families;
    std::lock_guard lock(mutex);
    if (auto it = families.find(codepoint); it != families.end()) return it->second;
    std::string family;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, codepoint);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    // Coverage ranks above the family in fontconfig's matching, so the match has the character
    // whenever an installed font does; the test below catches the case where none does.
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcCharSet* has = nullptr;
        FcChar8* name = nullptr;
        if (FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
            FcCharSetHasChar(has, codepoint) &&
            FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
            family = reinterpret_cast<const char*>(name);
        }
        FcPatternDestroy(match);
    }
    FcCharSetDestroy(wanted);
    FcPatternDestroy(pattern);
    families.emplace(codepoint, family);
    return family;
}

namespace {

// The characters of valid UTF-8, with the byte offset where each begins.
std::vector<std::pair<std::size_t, uint32_t>> characters(const std::string& utf8) {
    std::vector<std::pair<std::size_t, uint32_t>> out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
        uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < len && i + k < utf8.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        out.emplace_back(i, cp);
        i += len;
    }
    return out;
}

struct Piece {
    cairo_font_face_t* face;
    std::string text;
};

// Splits the line into runs of one face each: the style's face where it has the character
// (cairo's toy text gives glyph 0 where it has not), else the face fontconfig offers for it.
// `glyphs` is the line shaped in the style's face, one glyph per character.
std::vector<Piece> piecesByFace(const std::string& utf8, const cairo_glyph_t* glyphs, int count,
                                const FontFace& primary) {
    cairo_font_face_t* primaryFace = faceFor(primary);
    const auto chars = characters(utf8);
    if (static_cast<std::size_t>(count) != chars.size()) return {{primaryFace, utf8}};
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        cairo_font_face_t* face = primaryFace;
        if (glyphs[i].index == 0) {
            const std::string family = fallbackFamily(chars[i].second);
            if (!family.empty()) face = faceFor({family, primary.bold, primary.italic});
        }
        const std::size_t end = i + 1 < chars.size() ? chars[i + 1].first : utf8.size();
        const std::string_view ch(utf8.data() + chars[i].first, end - chars[i].first);
        if (pieces.empty() || pieces.back().face != face) {
            pieces.push_back({face, std::string(ch)});
        } else {
            pieces.back().text += ch;
        }
    }
    return pieces;
}

}  // namespace

void selectSegmentFont(cairo_t* cr, const GlyphSegment& segment, const TextStyle& style) {
    if (!selectFont(cr, style)) return;
    if (segment.face != nullptr) cairo_set_font_face(cr, segment.face);
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
    const double kern = std::isfinite(style.kerning) ? style.kerning : 0;
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                         &glyphs, &count, nullptr, nullptr,
                                         nullptr) != CAIRO_STATUS_SUCCESS) {
        return run;
    }
    const bool complete =
        std::none_of(glyphs, glyphs + count, [](const cairo_glyph_t& g) { return g.index == 0; });
    if (complete) {
        // Every character is in the style's face: one segment, as shaped.
        cairo_text_extents_t te;
        cairo_scaled_font_glyph_extents(font, glyphs, count, &te);
        GlyphSegment segment{cairo_get_font_face(cr), {glyphs, glyphs + count}};
        for (int i = 0; i < count; ++i) segment.glyphs[i].x += kern * i;
        cairo_glyph_free(glyphs);
        run.width = std::max(0.0, te.x_advance + kern * count);
        if (!segment.glyphs.empty()) run.segments.push_back(std::move(segment));
        return run;
    }
    const std::vector<Piece> pieces =
        piecesByFace(utf8, glyphs, count, FontMap::resolve(style.fontName));
    cairo_glyph_free(glyphs);
    double pen = 0;
    std::size_t index = 0;
    for (const Piece& piece : pieces) {
        cairo_set_font_face(cr, piece.face);
        cairo_scaled_font_t* pieceFont = cairo_get_scaled_font(cr);
        cairo_glyph_t* pieceGlyphs = nullptr;
        int pieceCount = 0;
        if (cairo_scaled_font_status(pieceFont) != CAIRO_STATUS_SUCCESS ||
            cairo_scaled_font_text_to_glyphs(
                pieceFont, 0, 0, piece.text.data(), static_cast<int>(piece.text.size()),
                &pieceGlyphs, &pieceCount, nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
            continue;
        }
        cairo_text_extents_t te;
        cairo_scaled_font_glyph_extents(pieceFont, pieceGlyphs, pieceCount, &te);
        GlyphSegment segment{piece.face, {pieceGlyphs, pieceGlyphs + pieceCount}};
        for (auto& g : segment.glyphs) g.x += pen + kern * static_cast<double>(index++);
        pen += te.x_advance;
        cairo_glyph_free(pieceGlyphs);
        if (!segment.glyphs.empty()) run.segments.push_back(std::move(segment));
    }
    // Leave cr with the style's own face, as selectFont does.
    selectFont(cr, style);
    run.width = std::max(0.0, pen + kern * static_cast<double>(index));
    return run;
}

}  // namespace platform::text
