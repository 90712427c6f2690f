#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/foundation/Value.h"

using ns::Value;

TEST(ValueIntValue, NumbersFollowTheCConversion) {
    EXPECT_EQ(Value(true).intValue(), 1);
    EXPECT_EQ(Value(false).intValue(), 0);
    EXPECT_EQ(Value(-42).intValue(), -42);
    // A 64-bit integer keeps its low 32 bits.
    EXPECT_EQ(Value(0x1'0000'0005LL).intValue(), 5);
    EXPECT_EQ(Value(0xFFFF'FFFFLL).intValue(), -1);
    EXPECT_EQ(Value(3.99).intValue(), 3);
    EXPECT_EQ(Value(-3.99).intValue(), -3);
    EXPECT_EQ(Value(1e20).intValue(), INT_MAX);
    EXPECT_EQ(Value(-1e20).intValue(), INT_MIN);
    EXPECT_EQ(Value(NAN).intValue(), 0);
}

TEST(ValueIntValue, StringsReadLikeNSString) {
    EXPECT_EQ(Value("42").intValue(), 42);
    EXPECT_EQ(Value("  \t\n-17abc").intValue(), -17);
    EXPECT_EQ(Value("+8").intValue(), 8);
    EXPECT_EQ(Value("12.9").intValue(), 12);
    EXPECT_EQ(Value("abc").intValue(), 0);
    EXPECT_EQ(Value("").intValue(), 0);
    EXPECT_EQ(Value("- 5").intValue(), 0);
    EXPECT_EQ(Value("99999999999").intValue(), INT_MAX);
    EXPECT_EQ(Value("-99999999999").intValue(), INT_MIN);
    EXPECT_EQ(Value("2147483647").intValue(), INT_MAX);
    EXPECT_EQ(Value("-2147483648").intValue(), INT_MIN);
    EXPECT_EQ(Value("-2147483649").intValue(), INT_MIN);
    EXPECT_EQ(Value("99999999999999999999999").longLongValue(), LLONG_MAX);
    EXPECT_EQ(Value("-9223372036854775808").longLongValue(), LLONG_MIN);
}

TEST(ValueReaders, ContainersAndOtherObjectsAnswerNothing) {
    for (const Value& v : {Value(), Value(ns::Array{Value(1)}), Value(ns::Dictionary{}),
                           Value::data({1, 2}), Value::date(10)}) {
        EXPECT_FALSE(v.intValue().has_value());
        EXPECT_FALSE(v.boolValue().has_value());
        EXPECT_FALSE(v.floatValue().has_value());
    }
}

TEST(ValueBoolValue, StringsFollowNSString) {
    for (const char* yes : {"YES", "yes", "y", "TRUE", "true", "t", "1", "7", "  +0009", "-1",
                            "00001", "Yesterday", "Tomato"})
        EXPECT_EQ(Value(yes).boolValue(), true) << yes;
    for (const char* no :
         {"NO", "no", "false", "0", "000", "", "  ", "abc", "+", "-0", "x1", "0.5", " n"})
        EXPECT_EQ(Value(no).boolValue(), false) << no;
}

TEST(ValueBoolValue, NumbersAreTrueWhenNonZero) {
    EXPECT_EQ(Value(0).boolValue(), false);
    EXPECT_EQ(Value(2).boolValue(), true);
    EXPECT_EQ(Value(0.0).boolValue(), false);
    EXPECT_EQ(Value(0.25).boolValue(), true);
    EXPECT_EQ(Value(true).boolValue(), true);
    // Only the low bits would be lost by an int conversion; a large value is still true.
    EXPECT_EQ(Value(0x1'0000'0000LL).boolValue(), true);
}

TEST(ValueFloatValue, StringsReadTheirLeadingNumber) {
    EXPECT_FLOAT_EQ(*Value("1.5").floatValue(), 1.5f);
    EXPECT_FLOAT_EQ(*Value("  -2.25e2xyz").floatValue(), -225.0f);
    EXPECT_FLOAT_EQ(*Value(".5").floatValue(), 0.5f);
    EXPECT_FLOAT_EQ(*Value("7.").floatValue(), 7.0f);
    EXPECT_FLOAT_EQ(*Value("3e").floatValue(), 3.0f);
    EXPECT_FLOAT_EQ(*Value("3e+").floatValue(), 3.0f);
    EXPECT_FLOAT_EQ(*Value("abc").floatValue(), 0.0f);
    EXPECT_FLOAT_EQ(*Value(".").floatValue(), 0.0f);
    EXPECT_FLOAT_EQ(*Value("-").floatValue(), 0.0f);
    EXPECT_TRUE(std::isinf(*Value("1e400").floatValue()));
    EXPECT_TRUE(std::isinf(*Value("1e300").floatValue()));  // beyond float range
    EXPECT_FLOAT_EQ(*Value("1e-400").floatValue(), 0.0f);
    EXPECT_FLOAT_EQ(*Value(true).floatValue(), 1.0f);
    EXPECT_FLOAT_EQ(*Value(3).floatValue(), 3.0f);
    EXPECT_DOUBLE_EQ(*Value("0.1").doubleValue(), 0.1);
}

TEST(ValueEquality, IsDeepAndTypeStrict) {
    ns::Dictionary a{{"k", Value(ns::Array{Value(1), Value("x")})}};
    ns::Dictionary b = a;
    EXPECT_EQ(Value(a), Value(b));
    b.get("k")->array()->push_back(Value(2));
    EXPECT_NE(Value(a), Value(b));
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_NE(Value(1), Value(true));
    EXPECT_NE(Value::date(5), Value(5.0));
}

TEST(Dictionary, KeepsKeysSortedAndReplacesOnSet) {
    ns::Dictionary d;
    d.set("b", 1);
    d.set("a", "x");
    d.set("c", true);
    d.set("b", 2);
    EXPECT_EQ(d.keys(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(d.size(), 3u);
    ASSERT_NE(d.get("b"), nullptr);
    EXPECT_EQ(d.get("b")->integer(), 2);
    EXPECT_EQ(d.get("missing"), nullptr);
    d.erase("a");
    d.erase("missing");
    EXPECT_FALSE(d.contains("a"));
    EXPECT_EQ(d.size(), 2u);
    d.clear();
    EXPECT_TRUE(d.empty());
}

TEST(Value, NullCStringIsNull) {
    const char* none = nullptr;
    EXPECT_TRUE(Value(none).isNull());
    EXPECT_TRUE(Value("").isString());
}
