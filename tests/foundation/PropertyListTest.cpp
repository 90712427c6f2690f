#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "TempRoot.h"
#include "platform/foundation/PropertyList.h"

using ns::Array;
using ns::Dictionary;
using ns::Value;

namespace {

Dictionary sample() {
    return Dictionary{
        {"bool", Value(true)},
        {"int", Value(-5)},
        {"big", Value(1LL << 40)},
        {"real", Value(0.1)},
        {"whole", Value(3.0)},
        {"text", Value("h\xC3\xA9llo <&> \xE2\x9C\x93")},
        {"empty", Value("")},
        {"data", Value::data({0, 1, 255})},
        {"date", Value::date(100)},
        {"list", Value(Array{Value(1), Value("x"), Value(false)})},
        {"nested", Value(Dictionary{{"k", Value(1.5)}})},
    };
}

std::span<const std::uint8_t> span(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

bool havePython() {
    return std::system("python3 -c 'import plistlib' >/dev/null 2>&1") == 0;
}

std::string run(const std::string& command) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return out;
    char buf[512];
    while (std::fgets(buf, sizeof buf, p) != nullptr) out += buf;
    ::pclose(p);
    return out;
}

// A binary property list from raw objects; each object is its encoded bytes, references are one
// byte wide.
std::vector<std::uint8_t> binaryPlist(const std::vector<std::vector<std::uint8_t>>& objects) {
    std::vector<std::uint8_t> out{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<std::uint64_t> offsets;
    for (const auto& o : objects) {
        offsets.push_back(out.size());
        out.insert(out.end(), o.begin(), o.end());
    }
    std::uint64_t table = out.size();
    for (auto off : offsets) {
        out.push_back(static_cast<std::uint8_t>(off >> 8));
        out.push_back(static_cast<std::uint8_t>(off));
    }
    std::uint8_t trailer[32] = {};
    trailer[6] = 2;  // offset size
    trailer[7] = 1;  // reference size
    auto put = [&](int at, std::uint64_t v) {
        for (int i = 0; i < 8; ++i) trailer[at + i] = static_cast<std::uint8_t>(v >> (56 - 8 * i));
    };
    put(8, objects.size());
    put(16, 0);
    put(24, table);
    out.insert(out.end(), trailer, trailer + 32);
    return out;
}

}  // namespace

TEST(PropertyList, XmlAndBinaryRoundTripEveryType) {
    Value v(sample());
    std::string xml = toXmlPropertyList(v);
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(ns::parsePropertyList(span(xml)), v);
    auto bin = ns::toBinaryPropertyList(v);
    ASSERT_FALSE(bin.empty());
    EXPECT_EQ(ns::parsePropertyList(bin), v);
    // Sub-second dates survive the binary form.
    Value fine = Value::date(12.5);
    EXPECT_EQ(ns::parsePropertyList(ns::toBinaryPropertyList(fine)), fine);
}

TEST(PropertyList, ValuesThatCannotBeWrittenFailWhole) {
    EXPECT_EQ(ns::toXmlPropertyList(Value()), "");
    EXPECT_EQ(ns::toXmlPropertyList(Value(Dictionary{{"k", Value()}})), "");
    EXPECT_EQ(ns::toXmlPropertyList(Value(std::string("a\0b", 3))), "");
    EXPECT_EQ(ns::toXmlPropertyList(Value::date(1e12)), "");
    TempRoot root;
    EXPECT_FALSE(ns::writePropertyListAtomically(Value(Array{Value()}), "/tmp/p.plist"));
    EXPECT_FALSE(ns::FileSystem::shared().fileExists("/tmp/p.plist"));
}

TEST(PropertyList, ReadsABinaryFileWrittenByPlistlib) {
    if (!havePython()) GTEST_SKIP() << "python3 with plistlib is not available";
    TempRoot root;
    auto host = root.path() / "var/mobile/Library/Preferences/py.plist";
    std::string script =
        "import plistlib, datetime\n"
        "d = {'bool': True, 'int': -5, 'big': 1 << 40, 'real': 0.1, 'whole': 3.0,\n"
        "     'text': 'h\\u00e9llo <&> \\u2713', 'empty': '', 'data': bytes([0, 1, 255]),\n"
        "     'date': datetime.datetime(2001, 1, 1, 0, 1, 40),\n"
        "     'list': [1, 'x', False], 'nested': {'k': 1.5}}\n"
        "open('" +
        host.string() + "', 'wb').write(plistlib.dumps(d, fmt=plistlib.FMT_BINARY))\n";
    std::ofstream(root.outer() / "make.py") << script;
    ASSERT_EQ(std::system(("python3 " + (root.outer() / "make.py").string()).c_str()), 0);
    auto read = ns::readDictionaryFile("/User/Library/Preferences/py.plist");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(Value(*read), Value(sample()));
}

TEST(PropertyList, XmlWeWriteReadsBackInPlistlibWithTheSameTypes) {
    if (!havePython()) GTEST_SKIP() << "python3 with plistlib is not available";
    TempRoot root;
    ASSERT_TRUE(
        ns::writePropertyListAtomically(Value(sample()), "/User/Library/Preferences/x.plist"));
    auto host = root.path() / "var/mobile/Library/Preferences/x.plist";
    std::string script =
        "import plistlib\n"
        "d = plistlib.load(open('" +
        host.string() +
        "', 'rb'))\n"
        "for k in sorted(d):\n"
        "    v = d[k]\n"
        "    print(k, type(v).__name__, repr(v))\n";
    std::ofstream(root.outer() / "read.py") << script;
    std::string out = run("python3 " + (root.outer() / "read.py").string());
    EXPECT_EQ(out,
              "big int 1099511627776\n"
              "bool bool True\n"
              "data bytes b'\\x00\\x01\\xff'\n"
              "date datetime datetime.datetime(2001, 1, 1, 0, 1, 40)\n"
              "empty str ''\n"
              "int int -5\n"
              "list list [1, 'x', False]\n"
              "nested dict {'k': 1.5}\n"
              "real float 0.1\n"
              "text str 'h\xC3\xA9llo <&> \xE2\x9C\x93'\n"
              "whole float 3.0\n");
}

TEST(PropertyList, BadPreferencesFilesReadAsNothing) {
    TempRoot root;
    auto& f = ns::FileSystem::shared();
    auto write = [&](const std::string& name, const std::string& text) {
        ASSERT_TRUE(f.writeFileAtomically("/tmp/" + name, {text.begin(), text.end()}));
    };
    std::string xml = toXmlPropertyList(Value(sample()));
    write("empty.plist", "");
    write("truncated.plist", xml.substr(0, xml.size() / 2));
    write("text.plist", "hello, this is not a property list");
    write("array.plist", toXmlPropertyList(Value(Array{Value(1)})));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp/missing.plist"));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp/empty.plist"));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp/truncated.plist"));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp/text.plist"));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp/array.plist"));
    EXPECT_TRUE(ns::readPropertyListFile("/tmp/array.plist"));
    EXPECT_FALSE(ns::readDictionaryFile("/tmp"));
    // Values of unexpected types come back as they are, for the typed readers to judge.
    write("types.plist", toXmlPropertyList(Value(Dictionary{{"showFPS", Value(Array{})},
                                                            {"frameRateTime", Value("60")}})));
    auto d = ns::readDictionaryFile("/tmp/types.plist");
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->get("showFPS")->isArray());
    EXPECT_EQ(d->get("frameRateTime")->intValue(), 60);
}

TEST(PropertyList, AtomicWriteReplacesTheWholeFile) {
    TempRoot root;
    const std::string path = "/User/Library/Preferences/com.example.plist";
    ASSERT_TRUE(ns::writePropertyListAtomically(Value(sample()), path));
    Dictionary small{{"ENABLED", Value(false)}};
    ASSERT_TRUE(ns::writePropertyListAtomically(Value(small), path));
    EXPECT_EQ(ns::readDictionaryFile(path), small);
    EXPECT_FALSE(ns::writePropertyListAtomically(Value(small), "/no/such/folder/x.plist"));
}

TEST(PropertyList, DeepNestingIsRefusedNotRecursedInto) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<array>";
    std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\">" + deep + "</plist>";
    EXPECT_FALSE(ns::parsePropertyList(span(xml)));

    Value v = Value(1);
    for (int i = 0; i < ns::kMaxPropertyListDepth + 5; ++i) v = Value(Array{v});
    EXPECT_EQ(ns::toXmlPropertyList(v), "");
    Value ok = Value(1);
    for (int i = 0; i < 100; ++i) ok = Value(Array{ok});
    EXPECT_EQ(ns::parsePropertyList(ns::toBinaryPropertyList(ok)), ok);
    std::string okXml = ns::toXmlPropertyList(ok);
    EXPECT_EQ(ns::parsePropertyList(span(okXml)), ok);

    // 300 nested one-element arrays in binary form: object i holds a reference to i + 1.
    std::vector<std::vector<std::uint8_t>> objects;
    for (int i = 0; i < 300; ++i) objects.push_back({0xA1, static_cast<std::uint8_t>(i + 1)});
    objects.back() = {0x10, 7};
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist(objects)));
}

TEST(PropertyList, SharedAndCyclicReferencesDoNotExplode) {
    // Object i is an array holding object i + 1 twice: 2^40 nodes once expanded.
    std::vector<std::vector<std::uint8_t>> objects;
    for (int i = 0; i < 40; ++i)
        objects.push_back(
            {0xA2, static_cast<std::uint8_t>(i + 1), static_cast<std::uint8_t>(i + 1)});
    objects.push_back({0x10, 7});
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist(objects)));
    // A few shared references are fine.
    std::vector<std::vector<std::uint8_t>> shared{{0xA2, 1, 1}, {0x10, 7}};
    EXPECT_EQ(ns::parsePropertyList(binaryPlist(shared)), Value(Array{Value(7), Value(7)}));
    // An array that holds itself.
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xA1, 0}})));
    // References and counts beyond the file.
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xA1, 9}})));
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xAF, 0x13, 0xFF, 0xFF, 0xFF, 0xFF}})));
}

TEST(PropertyList, DictionaryKeysMustBeStringsWithoutNul) {
    EXPECT_EQ(ns::parsePropertyList(binaryPlist({{0xD1, 1, 2}, {0x52, 'a', 'b'}, {0x09}})),
              Value(Dictionary{{"ab", Value(true)}}));
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xD1, 1, 2}, {0x53, 'a', 0, 'b'}, {0x09}})));
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xD1, 1, 2}, {0x62, 0, 'a', 0, 0}, {0x09}})));
    EXPECT_FALSE(ns::parsePropertyList(binaryPlist({{0xD1, 1, 2}, {0x10, 1}, {0x09}})));
}

TEST(PropertyList, DamagedInputNeverCrashes) {
    Value v(sample());
    auto bin = ns::toBinaryPropertyList(v);
    std::string xml = ns::toXmlPropertyList(v);
    std::vector<std::uint8_t> xmlBytes(xml.begin(), xml.end());
    std::size_t parsed = 0;
    for (const auto* original : {&bin, &xmlBytes}) {
        for (std::size_t n = 0; n < original->size(); ++n) {
            std::span<const std::uint8_t> prefix(original->data(), n);
            if (ns::parsePropertyList(prefix)) ++parsed;
        }
        std::mt19937 rng(1234);
        for (int round = 0; round < 3000; ++round) {
            auto copy = *original;
            int flips = 1 + static_cast<int>(rng() % 4);
            for (int k = 0; k < flips; ++k)
                copy[rng() % copy.size()] = static_cast<std::uint8_t>(rng());
            if (ns::parsePropertyList(copy)) ++parsed;
        }
    }
    // Most damaged inputs are refused; the loop's real check is that it finishes at all.
    EXPECT_LT(parsed, 2u * 3000u);
}
