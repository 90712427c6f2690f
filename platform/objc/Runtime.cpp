#include "platform/objc/Runtime.h"

#include <set>
#include <utility>

#include "platform/objc/Hook.h"
#include "platform/objc/Injection.h"

namespace objc {

bool Class::isSubclassOf(const Class* other) const {
    for (const Class* c = this; c != nullptr; c = c->superclass_) {
        if (c == other) return true;
    }
    return false;
}

const Method* Class::findMethod(std::string_view sel) const {
    for (const Class* c = this; c != nullptr; c = c->superclass_) {
        auto it = c->methods_.find(sel);
        if (it != c->methods_.end()) return &it->second;
    }
    return nullptr;
}

Method* Class::ownMethod(std::string_view sel) {
    auto it = methods_.find(sel);
    return it == methods_.end() ? nullptr : &it->second;
}

void Class::setMethod(std::string_view sel, Method method) {
    methods_.insert_or_assign(std::string(sel), std::move(method));
}

const Method* Class::findClassMethod(std::string_view sel) const {
    for (const Class* c = this; c != nullptr; c = c->superclass_) {
        auto it = c->classMethods_.find(sel);
        if (it != c->classMethods_.end()) return &it->second;
    }
    return nullptr;
}

void Class::setClassMethod(std::string_view sel, Method method) {
    classMethods_.insert_or_assign(std::string(sel), std::move(method));
}

Runtime::Runtime() {
    reset();
}

Runtime& Runtime::current() {
    static Runtime runtime;
    return runtime;
}

void Runtime::reset() {
    classes_.clear();
    classes_.emplace("NSObject", std::make_unique<Class>("NSObject", nullptr));
}

Class* Runtime::registerClass(std::string_view name, std::string_view superclassName) {
    if (Class* existing = getClass(name)) return existing;
    Class* super = getClass(superclassName);
    if (super == nullptr && !superclassName.empty()) {
        std::fprintf(stderr, "objc: superclass %.*s of %.*s is not registered\n",
                     static_cast<int>(superclassName.size()), superclassName.data(),
                     static_cast<int>(name.size()), name.data());
    }
    auto cls = std::make_unique<Class>(std::string(name), super);
    Class* raw = cls.get();
    classes_.emplace(std::string(name), std::move(cls));
    return raw;
}

Class* Runtime::getClass(std::string_view name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second.get();
}

void reportDispatchFailure(const char* what, const char* cls, SEL sel) {
    static std::mutex mutex;
    static std::set<std::string> reported;
    std::lock_guard lock(mutex);
    std::string key = std::string(cls) + " " + sel;
    if (reported.insert(key).second) {
        std::fprintf(stderr, "objc: %s: -[%s %s]\n", what, cls, sel);
    }
}

const char* describe(HookResult result) {
    switch (result) {
        case HookResult::Replaced:
            return "replaced";
        case HookResult::NoClass:
            return "no such class";
        case HookResult::NoMethod:
            return "no such method";
        case HookResult::SignatureMismatch:
            return "signature mismatch";
    }
    return "?";
}

void reportHookFailure(HookResult result, const Class* cls, SEL sel) {
    std::fprintf(stderr, "MSHookMessageEx: %s: -[%s %s]\n", describe(result),
                 cls != nullptr ? cls->name().c_str() : "(null)", sel);
}

Injection& Injection::shared() {
    static Injection injection;
    return injection;
}

void Injection::install(const std::string& name, AddOnConstructor constructor) {
    for (auto& a : addOns_) {
        if (a.name == name) {
            a.constructor = constructor;
            return;
        }
    }
    addOns_.push_back({name, constructor});
}

void Injection::uninstall(const std::string& name) {
    std::erase_if(addOns_, [&](const AddOn& a) { return a.name == name; });
}

void Injection::uninstallAll() {
    addOns_.clear();
}

void Injection::runConstructors() const {
    const auto copy = addOns_;  // a constructor may not change the list under us
    for (const auto& a : copy) {
        if (a.constructor != nullptr) a.constructor();
    }
}

}  // namespace objc

Class objc_getClass(const char* name) {
    if (name == nullptr) return nullptr;
    return objc::Runtime::current().getClass(name);
}

bool NSObject::isKindOfClass(const char* name) const {
    auto& rt = objc::Runtime::current();
    const objc::Class* mine = rt.getClass(className());
    const objc::Class* other = rt.getClass(name);
    if (mine == nullptr || other == nullptr) return false;
    return mine->isSubclassOf(other);
}

bool NSObject::respondsToSelector(SEL sel) const {
    const objc::Class* mine = objc::Runtime::current().getClass(className());
    return mine != nullptr && mine->findMethod(sel) != nullptr;
}
