#include "platform/foundation/Value.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ns {

// ---- Dictionary ----

Dictionary::Dictionary() = default;
Dictionary::Dictionary(std::initializer_list<std::pair<const std::string, Value>> items)
    : map_(items) {}
Dictionary::Dictionary(const Dictionary&) = default;
Dictionary::Dictionary(Dictionary&&) noexcept = default;
Dictionary& Dictionary::operator=(const Dictionary&) = default;
Dictionary& Dictionary::operator=(Dictionary&&) noexcept = default;
Dictionary::~Dictionary() = default;

const Value* Dictionary::get(std::string_view key) const {
    auto it = map_.find(key);
    return it == map_.end() ? nullptr : &it->second;
}

Value* Dictionary::get(std::string_view key) {
    auto it = map_.find(key);
    return it == map_.end() ? nullptr : &it->second;
}

void Dictionary::set(const std::string& key, Value value) {
    map_.insert_or_assign(key, std::move(value));
}

void Dictionary::erase(std::string_view key) {
    auto it = map_.find(key);
    if (it != map_.end()) map_.erase(it);
}

bool Dictionary::contains(std::string_view key) const {
    return map_.find(key) != map_.end();
}

std::vector<std::string> Dictionary::keys() const {
    std::vector<std::string> out;
    out.reserve(map_.size());
    for (const auto& [k, v] : map_) out.push_back(k);
    return out;
}

std::size_t Dictionary::size() const {
    return map_.size();
}
bool Dictionary::empty() const {
    return map_.empty();
}
void Dictionary::clear() {
    map_.clear();
}
Dictionary::const_iterator Dictionary::begin() const {
    return map_.begin();
}
Dictionary::const_iterator Dictionary::end() const {
    return map_.end();
}
Dictionary::iterator Dictionary::begin() {
    return map_.begin();
}
Dictionary::iterator Dictionary::end() {
    return map_.end();
}
bool Dictionary::operator==(const Dictionary& other) const {
    return map_ == other.map_;
}

// ---- NSString number rules ----

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips leading whitespace and reads an optional sign; returns the index after them.
std::size_t skipSpaceAndSign(std::string_view s, bool& negative) {
    std::size_t i = 0;
    while (i < s.size() && isSpace(s[i])) ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return i;
}

// The leading integer, saturated at [lo, hi].
long long leadingInteger(std::string_view s, long long lo, long long hi) {
    bool negative = false;
    std::size_t i = skipSpaceAndSign(s, negative);
    // Accumulate as a negative number so that the minimum is reachable without overflow.
    long long value = 0;
    bool saturated = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        int d = s[i] - '0';
        if (value < (lo + d) / 10) {
            saturated = true;
            break;
        }
        value = value * 10 - d;
        if (value < lo) {
            saturated = true;
            break;
        }
    }
    if (negative) return saturated ? lo : value;
    if (saturated || value < -hi) return hi;
    return -value;
}

template <class T>
T saturatingCast(double d) {
    if (std::isnan(d)) return 0;
    if (d >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (d <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(d);
}

}  // namespace

int stringIntValue(std::string_view s) {
    return static_cast<int>(
        leadingInteger(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

long long stringLongLongValue(std::string_view s) {
    return leadingInteger(s, std::numeric_limits<long long>::min(),
                          std::numeric_limits<long long>::max());
}

bool stringBoolValue(std::string_view s) {
    bool negative = false;
    std::size_t i = skipSpaceAndSign(s, negative);
    while (i < s.size() && s[i] == '0') ++i;
    if (i >= s.size()) return false;
    char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

double stringDoubleValue(std::string_view s) {
    bool negative = false;
    std::size_t start = skipSpaceAndSign(s, negative);
    std::size_t i = start;
    std::size_t intDigits = 0, leadingZeros = 0, fracZerosBeforeDigit = 0;
    bool seenNonZero = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (s[i] != '0') seenNonZero = true;
        if (seenNonZero)
            ++intDigits;
        else
            ++leadingZeros;
    }
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        for (; j < s.size() && isDigit(s[j]); ++j) {
            if (!seenNonZero && intDigits == 0) {
                if (s[j] == '0')
                    ++fracZerosBeforeDigit;
                else
                    seenNonZero = true;
            }
            ++fracDigits;
        }
        if (leadingZeros + intDigits + fracDigits > 0) i = j;
    }
    if (leadingZeros + intDigits + fracDigits == 0) return 0;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponentNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            std::size_t k = j;
            while (k < s.size() && isDigit(s[k])) ++k;
            exponent = stringLongLongValue(s.substr(j, k - j));
            if (exponentNegative) exponent = -exponent;
            i = k;
        }
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + i, value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Decide overflow or underflow from the decimal magnitude of the number.
        long long magnitude = intDigits > 0 ? static_cast<long long>(intDigits)
                                            : -static_cast<long long>(fracZerosBeforeDigit);
        magnitude = exponent > 0 && magnitude > std::numeric_limits<long long>::max() - exponent
                        ? std::numeric_limits<long long>::max()
                        : magnitude + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

// ---- Value ----

Value::Value(const char* s) {
    if (s != nullptr) v_ = std::string(s);
}
Value::Value(std::string s) : v_(std::move(s)) {}
Value::Value(std::string_view s) : v_(std::string(s)) {}
Value::Value(Array a) : v_(std::move(a)) {}
Value::Value(Dictionary d) : v_(std::move(d)) {}
Value::Value(const Value& other) = default;
Value::Value(Value&& other) noexcept = default;
Value& Value::operator=(const Value& other) = default;
Value& Value::operator=(Value&& other) noexcept = default;
Value::~Value() = default;

Value Value::data(Bytes bytes) {
    Value v;
    v.v_ = std::move(bytes);
    return v;
}

Value Value::date(double secondsSinceReferenceDate) {
    Value v;
    v.v_ = DateBox{secondsSinceReferenceDate};
    return v;
}

std::optional<bool> Value::boolean() const {
    if (auto* b = std::get_if<bool>(&v_)) return *b;
    return std::nullopt;
}
std::optional<std::int64_t> Value::integer() const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) return *i;
    return std::nullopt;
}
std::optional<double> Value::real() const {
    if (auto* d = std::get_if<double>(&v_)) return *d;
    return std::nullopt;
}
std::optional<double> Value::dateValue() const {
    if (auto* d = std::get_if<DateBox>(&v_)) return d->seconds;
    return std::nullopt;
}
const std::string* Value::string() const {
    return std::get_if<std::string>(&v_);
}
const Bytes* Value::bytes() const {
    return std::get_if<Bytes>(&v_);
}
const Array* Value::array() const {
    return std::get_if<Array>(&v_);
}
Array* Value::array() {
    return std::get_if<Array>(&v_);
}
const Dictionary* Value::dictionary() const {
    return std::get_if<Dictionary>(&v_);
}
Dictionary* Value::dictionary() {
    return std::get_if<Dictionary>(&v_);
}

std::optional<int> Value::intValue() const {
    if (auto b = boolean()) return *b ? 1 : 0;
    // The low 32 bits, as the C conversion of a long long to int keeps them.
    if (auto i = integer()) return static_cast<int>(static_cast<std::uint32_t>(*i));
    if (auto d = real()) return saturatingCast<int>(*d);
    if (auto* s = string()) return stringIntValue(*s);
    return std::nullopt;
}

std::optional<long long> Value::longLongValue() const {
    if (auto b = boolean()) return *b ? 1 : 0;
    if (auto i = integer()) return static_cast<long long>(*i);
    if (auto d = real()) return saturatingCast<long long>(*d);
    if (auto* s = string()) return stringLongLongValue(*s);
    return std::nullopt;
}

std::optional<bool> Value::boolValue() const {
    if (auto b = boolean()) return *b;
    if (auto i = integer()) return *i != 0;
    if (auto d = real()) return *d != 0;  // NaN is non-zero, as in C
    if (auto* s = string()) return stringBoolValue(*s);
    return std::nullopt;
}

std::optional<double> Value::doubleValue() const {
    if (auto b = boolean()) return *b ? 1.0 : 0.0;
    if (auto i = integer()) return static_cast<double>(*i);
    if (auto d = real()) return *d;
    if (auto* s = string()) return stringDoubleValue(*s);
    return std::nullopt;
}

std::optional<float> Value::floatValue() const {
    auto d = doubleValue();
    if (!d) return std::nullopt;
    // Out of float range gives an infinity rather than an undefined conversion.
    if (std::isfinite(*d) && std::fabs(*d) > std::numeric_limits<float>::max())
        return *d > 0 ? std::numeric_limits<float>::infinity()
                      : -std::numeric_limits<float>::infinity();
    return static_cast<float>(*d);
}

bool Value::operator==(const Value& other) const {
    return v_ == other.v_;
}

}  // namespace ns
