#pragma once
// A named image filter with keyed inputs, as the private CAFilter: the renderer understands
// "gaussianBlur" (input "inputRadius", in points) and "colorAdd" (input "inputColor", four
// numbers r, g, b, a added to what is below). Other names and inputs are kept and ignored.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"

inline constexpr const char* kCAFilterGaussianBlur = "gaussianBlur";
inline constexpr const char* kCAFilterColorAdd = "colorAdd";

using CAFilterValue = std::variant<double, std::string, CGRect, std::vector<double>>;

class CAFilter : public NSObject {
public:
    LU_OBJC_CLASS(CAFilter)
    static std::shared_ptr<CAFilter> filterWithName(std::string name) {
        return std::shared_ptr<CAFilter>(new CAFilter(std::move(name)));
    }

    const std::string& name() const { return name_; }
    // setValue:forKey: / valueForKey:.
    void setValue(const std::string& key, CAFilterValue value) { inputs_[key] = std::move(value); }
    const CAFilterValue* valueForKey(const std::string& key) const {
        auto it = inputs_.find(key);
        return it == inputs_.end() ? nullptr : &it->second;
    }
    // The input as a number when it is one.
    std::optional<double> numberForKey(const std::string& key) const {
        const CAFilterValue* v = valueForKey(key);
        if (v == nullptr || !std::holds_alternative<double>(*v)) return std::nullopt;
        return std::get<double>(*v);
    }

private:
    explicit CAFilter(std::string name) : name_(std::move(name)) {}
    std::string name_;
    std::map<std::string, CAFilterValue> inputs_;
};
