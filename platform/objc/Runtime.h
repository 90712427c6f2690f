#pragma once
// The object runtime of a simulated app process: classes registered by name with superclass
// chains, and a method table per class whose entries can be replaced (the add-on's boundary).
//
// A method implementation (IMP) is a plain function `R (*)(id self, SEL _cmd, Args...)`. Each
// table entry remembers the exact type of its IMP, so a call or a replacement with another
// signature is refused instead of being made with the wrong arguments.

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "platform/objc/NSObject.h"

namespace objc {

template <class R, class... A>
using Imp = R (*)(id, SEL, A...);

// A type-erased IMP with the type it was stored under.
struct Method {
    void (*imp)() = nullptr;
    std::type_index type = typeid(void);
    std::string typeName;  // for error messages
};

class Class {
public:
    Class(std::string name, Class* superclass) : name_(std::move(name)), superclass_(superclass) {}
    Class(const Class&) = delete;
    Class& operator=(const Class&) = delete;

    const std::string& name() const { return name_; }
    Class* superclass() const { return superclass_; }
    bool isSubclassOf(const Class* other) const;

    // The method for `sel` in this class or the nearest superclass that has one.
    const Method* findMethod(std::string_view sel) const;
    // The method this class itself defines (no superclass lookup).
    Method* ownMethod(std::string_view sel);

    void setMethod(std::string_view sel, Method method);

    // Class methods (`+sharedInstance`), inherited along the superclass chain like instance
    // methods but kept in their own table.
    const Method* findClassMethod(std::string_view sel) const;
    void setClassMethod(std::string_view sel, Method method);

private:
    std::string name_;
    Class* superclass_;
    std::map<std::string, Method, std::less<>> methods_;
    std::map<std::string, Method, std::less<>> classMethods_;
};

// The registry of one app process. `Runtime::current()` is the running process's; a relaunch
// calls `reset()` so that no class, method or replacement survives into the new process.
class Runtime {
public:
    static Runtime& current();

    // Registers a class (idempotent for the same superclass). An unknown superclass name is an
    // error reported on stderr; the class is then registered as a root class.
    Class* registerClass(std::string_view name, std::string_view superclassName = "NSObject");
    Class* getClass(std::string_view name) const;
    void reset();

private:
    Runtime();
    std::map<std::string, std::unique_ptr<Class>, std::less<>> classes_;
};

template <class R, class... A>
Method makeMethod(Imp<R, A...> imp) {
    return Method{reinterpret_cast<void (*)()>(imp), typeid(Imp<R, A...>),
                  typeid(Imp<R, A...>).name()};
}

template <class R, class... A>
Imp<R, A...> methodAs(const Method& m) {
    if (m.type != std::type_index(typeid(Imp<R, A...>))) return nullptr;
    return reinterpret_cast<Imp<R, A...>>(m.imp);
}

// Adds (or redefines) a method on a class.
template <class R, class... A>
void addMethod(Class* cls, SEL sel, Imp<R, A...> imp) {
    if (cls != nullptr) cls->setMethod(sel, makeMethod(imp));
}

// A class method's IMP receives the class it was sent to in place of an object.
template <class R, class... A>
using ClassImp = R (*)(Class*, SEL, A...);

template <class R, class... A>
Method makeClassMethod(ClassImp<R, A...> imp) {
    return Method{reinterpret_cast<void (*)()>(imp), typeid(ClassImp<R, A...>),
                  typeid(ClassImp<R, A...>).name()};
}

template <class R, class... A>
ClassImp<R, A...> classMethodAs(const Method& m) {
    if (m.type != std::type_index(typeid(ClassImp<R, A...>))) return nullptr;
    return reinterpret_cast<ClassImp<R, A...>>(m.imp);
}

// Adds (or redefines) a class method.
template <class R, class... A>
void addClassMethod(Class* cls, SEL sel, ClassImp<R, A...> imp) {
    if (cls != nullptr) cls->setClassMethod(sel, makeClassMethod(imp));
}

// Reports a dispatch failure (unknown class, unknown selector, signature mismatch) once per
// class and selector on stderr.
void reportDispatchFailure(const char* what, const char* cls, SEL sel);

// Calls `sel` on `self` with the given signature. Sending to nil does nothing and returns a
// value-initialised result, as on the platform; so does a selector the class does not answer
// or a call whose signature differs from the method's (reported once).
template <class Sig>
struct Send;
template <class R, class... A>
struct Send<R(A...)> {
    static R call(id self, SEL sel, A... args) {
        if (self == nullptr) return R();
        Class* cls = Runtime::current().getClass(self->className());
        if (cls == nullptr) {
            reportDispatchFailure("unregistered class", self->className(), sel);
            return R();
        }
        const Method* m = cls->findMethod(sel);
        if (m == nullptr) {
            reportDispatchFailure("unrecognized selector", self->className(), sel);
            return R();
        }
        auto imp = methodAs<R, A...>(*m);
        if (imp == nullptr) {
            reportDispatchFailure("signature mismatch", self->className(), sel);
            return R();
        }
        return imp(self, sel, std::forward<A>(args)...);
    }
};

template <class Sig, class... P>
decltype(auto) send(id self, SEL sel, P&&... args) {
    return Send<Sig>::call(self, sel, std::forward<P>(args)...);
}

// A selector described at compile time: its name and signature. Host interfaces declare one per
// replaceable method, so both the host's calls and the add-on's replacements are type-checked by
// the compiler.
#define LU_SELECTOR(Ident, Name, ...)             \
    struct Ident {                                \
        static constexpr const char* name = Name; \
        using Signature = __VA_ARGS__;            \
    }

// Calls the class method `sel` of `cls`. A null class, an unknown selector or another signature
// does nothing and returns a value-initialised result, as for instance methods.
template <class Sig>
struct SendClass;
template <class R, class... A>
struct SendClass<R(A...)> {
    static R call(Class* cls, SEL sel, A... args) {
        if (cls == nullptr) return R();
        const Method* m = cls->findClassMethod(sel);
        if (m == nullptr) {
            reportDispatchFailure("unrecognized class selector", cls->name().c_str(), sel);
            return R();
        }
        auto imp = classMethodAs<R, A...>(*m);
        if (imp == nullptr) {
            reportDispatchFailure("class method signature mismatch", cls->name().c_str(), sel);
            return R();
        }
        return imp(cls, sel, std::forward<A>(args)...);
    }
};

template <class Sig, class... P>
decltype(auto) sendClass(Class* cls, SEL sel, P&&... args) {
    return SendClass<Sig>::call(cls, sel, std::forward<P>(args)...);
}

template <class Sig>
struct ImpOf;
template <class R, class... A>
struct ImpOf<R(A...)> {
    using type = Imp<R, A...>;
};

template <class Selector, class... P>
decltype(auto) send(id self, P&&... args) {
    return Send<typename Selector::Signature>::call(self, Selector::name, std::forward<P>(args)...);
}

template <class Selector, class... P>
decltype(auto) sendClass(Class* cls, P&&... args) {
    return SendClass<typename Selector::Signature>::call(cls, Selector::name,
                                                         std::forward<P>(args)...);
}

}  // namespace objc

using Class = objc::Class*;

// Looks a class up by name in the running process; null for an unknown class.
Class objc_getClass(const char* name);
