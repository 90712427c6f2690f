#pragma once
// Foundation-style property-list values: null, booleans, numbers, strings, data, dates, arrays
// and dictionaries, held by value (copies are deep). The number readers follow the platform's
// NSNumber / NSString rules so that a preferences file reads the same here as on the phone.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ns {

class Value;
using Array = std::vector<Value>;
using Bytes = std::vector<std::uint8_t>;

// A dictionary with string keys, kept sorted by key.
class Dictionary {
public:
    using Map = std::map<std::string, Value, std::less<>>;
    using const_iterator = Map::const_iterator;
    using iterator = Map::iterator;

    Dictionary();
    Dictionary(std::initializer_list<std::pair<const std::string, Value>> items);
    Dictionary(const Dictionary&);
    Dictionary(Dictionary&&) noexcept;
    Dictionary& operator=(const Dictionary&);
    Dictionary& operator=(Dictionary&&) noexcept;
    ~Dictionary();

    // The value for `key`, or null when absent.
    const Value* get(std::string_view key) const;
    Value* get(std::string_view key);
    void set(const std::string& key, Value value);
    void erase(std::string_view key);
    bool contains(std::string_view key) const;
    std::vector<std::string> keys() const;
    std::size_t size() const;
    bool empty() const;
    void clear();

    const_iterator begin() const;
    const_iterator end() const;
    iterator begin();
    iterator end();

    bool operator==(const Dictionary& other) const;

private:
    Map map_;
};

enum class ValueType { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

class Value {
public:
    Value() = default;  // Null
    Value(std::nullptr_t) {}
    Value(bool b) : v_(b) {}
    Value(int i) : v_(static_cast<std::int64_t>(i)) {}
    Value(long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(long long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(unsigned i) : v_(static_cast<std::int64_t>(i)) {}
    Value(unsigned long i) : v_(static_cast<std::int64_t>(i)) {}  // wraps above INT64_MAX
    Value(double d) : v_(d) {}
    Value(float f) : v_(static_cast<double>(f)) {}
    // The constructors and assignments that copy strings and containers are defined out of
    // line: inlined into callers, GCC 12 reports false "maybe uninitialized" warnings on them.
    Value(const char* s);  // null pointer gives a Null value
    Value(std::string s);
    Value(std::string_view s);
    Value(Array a);
    Value(Dictionary d);
    Value(const Value& other);
    Value(Value&& other) noexcept;
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    ~Value();

    static Value data(Bytes bytes);
    // Seconds since 2001-01-01 00:00:00 UTC, the platform's reference date.
    static Value date(double secondsSinceReferenceDate);

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNull() const { return type() == ValueType::Null; }
    bool isBoolean() const { return type() == ValueType::Boolean; }
    bool isInteger() const { return type() == ValueType::Integer; }
    bool isReal() const { return type() == ValueType::Real; }
    // Booleans, integers and reals: what the platform keeps in an NSNumber.
    bool isNumber() const { return isBoolean() || isInteger() || isReal(); }
    bool isString() const { return type() == ValueType::String; }
    bool isData() const { return type() == ValueType::Data; }
    bool isDate() const { return type() == ValueType::Date; }
    bool isArray() const { return type() == ValueType::Array; }
    bool isDictionary() const { return type() == ValueType::Dictionary; }

    // Exact-type accessors: the stored value when the type matches, else null / nullopt.
    std::optional<bool> boolean() const;
    std::optional<std::int64_t> integer() const;
    std::optional<double> real() const;
    std::optional<double> dateValue() const;
    const std::string* string() const;
    const Bytes* bytes() const;
    const Array* array() const;
    Array* array();
    const Dictionary* dictionary() const;
    Dictionary* dictionary();

    // The platform's number readers. Values that do not answer the message (null, data, date,
    // array, dictionary) give nullopt; the caller picks its default.
    //
    // intValue: booleans give 0/1; integers keep their low 32 bits (the C conversion NSNumber
    // makes); reals truncate toward zero, saturating at the int32 limits (NaN gives 0); strings
    // read as NSString does: leading whitespace, optional sign, digits, saturating at the limits,
    // 0 when there are no digits.
    std::optional<int> intValue() const;
    // longLongValue: as intValue with 64-bit range (reals saturate, strings saturate).
    std::optional<long long> longLongValue() const;
    // boolValue: numbers are true when non-zero; a string is true when, after leading
    // whitespace, an optional sign and any zeros, the next character is Y, y, T, t or 1-9.
    std::optional<bool> boolValue() const;
    // floatValue / doubleValue: numbers converted; strings give their leading decimal number
    // (0 when there is none).
    std::optional<float> floatValue() const;
    std::optional<double> doubleValue() const;

    bool operator==(const Value& other) const;

private:
    struct DateBox {
        double seconds = 0;
        bool operator==(const DateBox&) const = default;
    };
    using Storage = std::variant<std::monostate, bool, std::int64_t, double, std::string, Bytes,
                                 DateBox, Array, Dictionary>;
    Storage v_;
};

// Helpers for the NSString number rules, shared with code that parses user text.
int stringIntValue(std::string_view s);
long long stringLongLongValue(std::string_view s);
bool stringBoolValue(std::string_view s);
double stringDoubleValue(std::string_view s);

}  // namespace ns
