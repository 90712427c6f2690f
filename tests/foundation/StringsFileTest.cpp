#include <gtest/gtest.h>

#include "TempRoot.h"
#include "platform/foundation/StringsFile.h"

using ns::Dictionary;
using ns::Value;

namespace {

std::optional<Dictionary> parse(const std::string& text) {
    return ns::parseStrings(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::vector<std::uint8_t> utf16(const std::u16string& text, bool bigEndian) {
    std::vector<std::uint8_t> out =
        bigEndian ? std::vector<std::uint8_t>{0xFE, 0xFF} : std::vector<std::uint8_t>{0xFF, 0xFE};
    for (char16_t c : text) {
        auto hi = static_cast<std::uint8_t>(c >> 8), lo = static_cast<std::uint8_t>(c & 0xFF);
        if (bigEndian) {
            out.push_back(hi);
            out.push_back(lo);
        } else {
            out.push_back(lo);
            out.push_back(hi);
        }
    }
    return out;
}

std::string at(const Dictionary& d, const std::string& key) {
    const Value* v = d.get(key);
    return v != nullptr && v->string() != nullptr ? *v->string() : "<missing>";
}

}  // namespace

TEST(StringsFile, ReadsPairsCommentsAndEscapes) {
    auto d = parse(
        "/* Settings */\n"
        "\"ENABLED\" = \"Enabled\";\n"
        "// a line comment with \"quotes\" = \"x\";\n"
        "\"QUOTE\"=\"say \\\"hi\\\"\" ; \"TABS\" = \"a\\tb\\nc\\rd\\\\e\";\n"
        "\"UNICODE\" = \"caf\\U00e9 \\U2713\";\n"
        "\"EMOJI\" = \"\\UD83D\\UDE00\";\n"
        "\"RAW\" = \"\xC3\xBC\xE2\x9C\x93\";\n"
        "\"%@ needs translation!\" = \"%@ fehlt!\";\n"
        "\"SELF\";\n"
        "plain = word;\n"
        "\"ENABLED\" = \"Last wins\"; /* trailing */");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->size(), 9u);
    EXPECT_EQ(at(*d, "ENABLED"), "Last wins");
    EXPECT_EQ(at(*d, "QUOTE"), "say \"hi\"");
    EXPECT_EQ(at(*d, "TABS"), "a\tb\nc\rd\\e");
    EXPECT_EQ(at(*d, "UNICODE"), "caf\xC3\xA9 \xE2\x9C\x93");
    EXPECT_EQ(at(*d, "EMOJI"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(at(*d, "RAW"), "\xC3\xBC\xE2\x9C\x93");
    EXPECT_EQ(at(*d, "%@ needs translation!"), "%@ fehlt!");
    EXPECT_EQ(at(*d, "SELF"), "SELF");
    EXPECT_EQ(at(*d, "plain"), "word");
    EXPECT_FALSE(d->contains("a line comment with"));
}

TEST(StringsFile, ReadsUtf16WithEitherByteOrderAndUtf8WithBom) {
    std::u16string text = u"/* c */ \"K\" = \"\u00FC\U0001F600\";";
    for (bool big : {false, true}) {
        auto d = ns::parseStrings(utf16(text, big));
        ASSERT_TRUE(d) << big;
        EXPECT_EQ(at(*d, "K"), "\xC3\xBC\xF0\x9F\x98\x80");
    }
    auto d = parse("\xEF\xBB\xBF\"K\" = \"V\";");
    ASSERT_TRUE(d);
    EXPECT_EQ(at(*d, "K"), "V");
    EXPECT_TRUE(parse("")->empty());
    EXPECT_TRUE(parse("  /* only a comment */ \n")->empty());
}

TEST(StringsFile, MalformedTextGivesNothing) {
    for (const char* bad : {
             "\"K\" = \"V\"",         // missing semicolon
             "\"K\" = \"V;",          // unterminated string
             "\"K\" \"V\";",          // missing '='
             "\"K\" = ;",             // missing value
             "= \"V\";",              // missing key
             "\"K\" = \"V\"; /* x",   // unterminated comment
             "\"K\" = \"\\U\";",      // \U without digits
             "\"K\" = \"\\UD83D\";",  // lone high surrogate
             "\"K\" = \"\\UDE00\";",  // lone low surrogate
             "\"K\" = \"V\\",         // escape at the end
             "\"K\" = {};",           // not a string
         })
        EXPECT_FALSE(parse(bad)) << bad;
}

TEST(StringsFile, BadEncodingGivesNothing) {
    EXPECT_FALSE(parse("\"K\" = \"\xFF\";"));          // not UTF-8
    EXPECT_FALSE(parse("\"K\" = \"\xC0\xAF\";"));      // overlong
    EXPECT_FALSE(parse("\"K\" = \"\xED\xA0\x80\";"));  // encoded surrogate
    EXPECT_FALSE(parse("\"K\" = \"\xE2\x9C\";"));      // truncated sequence
    auto odd = utf16(u"\"K\" = \"V\";", false);
    odd.push_back('x');
    EXPECT_FALSE(ns::parseStrings(odd));
    auto lone = utf16(u"\"K\" = \"\xD83D\";", true);
    EXPECT_FALSE(ns::parseStrings(lone));
}

TEST(StringsFile, ReadsFromTheDeviceRoot) {
    TempRoot root;
    auto& f = ns::FileSystem::shared();
    const std::string dir = "/Library/PreferenceBundles/LU3_Prefs.bundle/de.lproj";
    ASSERT_TRUE(f.createDirectory(dir, true));
    std::string good = "\"Done\" = \"Fertig\";";
    std::string bad = "\"Done\" = \"Fertig\"";
    ASSERT_TRUE(f.writeFileAtomically(dir + "/Localizable.strings", {good.begin(), good.end()}));
    ASSERT_TRUE(f.writeFileAtomically(dir + "/Broken.strings", {bad.begin(), bad.end()}));
    auto d = ns::readStringsFile(dir + "/Localizable.strings");
    ASSERT_TRUE(d);
    EXPECT_EQ(at(*d, "Done"), "Fertig");
    EXPECT_FALSE(ns::readStringsFile(dir + "/Broken.strings"));
    EXPECT_FALSE(ns::readStringsFile(dir + "/Missing.strings"));
}
