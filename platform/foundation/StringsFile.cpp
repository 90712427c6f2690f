#include "platform/foundation/StringsFile.h"

#include <optional>

#include "platform/foundation/FileSystem.h"

namespace ns {

namespace {

constexpr std::size_t kMaxStringsBytes = 16u << 20;

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u32string> decodeUtf8(std::span<const std::uint8_t> b) {
    std::u32string out;
    out.reserve(b.size());
    std::size_t i = 0;
    while (i < b.size()) {
        std::uint8_t c = b[i];
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        int extra;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return std::nullopt;
        }
        if (b.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            std::uint8_t cc = b[i + k];
            if ((cc & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || isSurrogate(cp)) return std::nullopt;
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

// UTF-16 with surrogate pairs checked.
std::optional<std::u32string> decodeUtf16(std::span<const std::uint8_t> b, bool bigEndian) {
    if (b.size() % 2 != 0) return std::nullopt;
    std::u32string out;
    out.reserve(b.size() / 2);
    auto unit = [&](std::size_t i) -> char32_t {
        return bigEndian ? (b[i] << 8 | b[i + 1]) : (b[i + 1] << 8 | b[i]);
    };
    for (std::size_t i = 0; i < b.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 2 >= b.size()) return std::nullopt;
            char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            out.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
            i += 2;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return std::nullopt;
        } else {
            out.push_back(u);
        }
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

int hexDigit(char32_t c) {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    return -1;
}

bool isUnquotedChar(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '/' || c == ':' || c == '.' || c == '-';
}

class Parser {
public:
    explicit Parser(const std::u32string& text) : s_(text) {}

    std::optional<Dictionary> parse() {
        Dictionary table;
        for (;;) {
            if (!skipSpaceAndComments()) return std::nullopt;
            if (at_ == s_.size()) return table;
            auto key = token();
            if (!key || !skipSpaceAndComments()) return std::nullopt;
            std::string value;
            if (peek() == '=') {
                ++at_;
                if (!skipSpaceAndComments()) return std::nullopt;
                auto v = token();
                if (!v || !skipSpaceAndComments()) return std::nullopt;
                value = std::move(*v);
            } else {
                value = *key;  // `"key";` maps the key to itself
            }
            if (peek() != ';') return std::nullopt;
            ++at_;
            table.set(*key, Value(std::move(value)));
        }
    }

private:
    char32_t peek() const { return at_ < s_.size() ? s_[at_] : 0; }

    bool skipSpaceAndComments() {
        for (;;) {
            while (at_ < s_.size() &&
                   (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r' ||
                    s_[at_] == '\f' || s_[at_] == '\v' || s_[at_] == 0xFEFF || s_[at_] == 0x2028))
                ++at_;
            if (at_ + 1 < s_.size() && s_[at_] == '/' && s_[at_ + 1] == '*') {
                std::size_t end = s_.find(U"*/", at_ + 2);
                if (end == std::u32string::npos) return false;
                at_ = end + 2;
            } else if (at_ + 1 < s_.size() && s_[at_] == '/' && s_[at_ + 1] == '/') {
                while (at_ < s_.size() && s_[at_] != '\n' && s_[at_] != '\r') ++at_;
            } else {
                return true;
            }
        }
    }

    std::optional<std::string> token() {
        if (peek() == '"') return quoted();
        std::string out;
        while (at_ < s_.size() && isUnquotedChar(s_[at_])) {
            // "//" and "/*" start comments, not text.
            if (s_[at_] == '/' && at_ + 1 < s_.size() && (s_[at_ + 1] == '/' || s_[at_ + 1] == '*'))
                break;
            appendUtf8(out, s_[at_++]);
        }
        if (out.empty()) return std::nullopt;
        return out;
    }

    std::optional<std::string> quoted() {
        ++at_;  // opening quote
        std::string out;
        while (at_ < s_.size()) {
            char32_t c = s_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                appendUtf8(out, c);
                continue;
            }
            if (at_ >= s_.size()) return std::nullopt;
            char32_t e = s_[at_++];
            switch (e) {
                case 'n':
                    out.push_back('\n');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 'a':
                    out.push_back('\a');
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'v':
                    out.push_back('\v');
                    break;
                case 'U':
                case 'u': {
                    auto unit = hex4();
                    if (!unit) return std::nullopt;
                    char32_t cp = *unit;
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        // A high surrogate must be followed by an escaped low one.
                        if (at_ + 1 >= s_.size() || s_[at_] != '\\' ||
                            (s_[at_ + 1] != 'U' && s_[at_ + 1] != 'u'))
                            return std::nullopt;
                        at_ += 2;
                        auto low = hex4();
                        if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
                    } else if (isSurrogate(cp)) {
                        return std::nullopt;
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default:
                    // \" \\ \' and any other escaped character stand for themselves.
                    appendUtf8(out, e);
            }
        }
        return std::nullopt;  // unterminated
    }

    // One to four hex digits, as the platform's parser reads them.
    std::optional<char32_t> hex4() {
        char32_t v = 0;
        int n = 0;
        while (n < 4 && at_ < s_.size() && hexDigit(s_[at_]) >= 0) {
            v = v * 16 + static_cast<char32_t>(hexDigit(s_[at_++]));
            ++n;
        }
        if (n == 0) return std::nullopt;
        return v;
    }

    const std::u32string& s_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<Dictionary> parseStrings(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxStringsBytes) return std::nullopt;
    std::optional<std::u32string> text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text = decodeUtf16(bytes.subspan(2), false);
    } else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        text = decodeUtf16(bytes.subspan(2), true);
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        text = decodeUtf8(bytes.subspan(3));
    } else {
        text = decodeUtf8(bytes);
    }
    if (!text) return std::nullopt;
    return Parser(*text).parse();
}

std::optional<Dictionary> readStringsFile(const std::string& phonePath) {
    auto bytes = FileSystem::shared().readFile(phonePath);
    if (!bytes) return std::nullopt;
    return parseStrings(*bytes);
}

}  // namespace ns
