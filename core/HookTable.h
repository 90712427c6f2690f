#pragma once
// The table of host methods the add-on replaces, as data: class name, selector and the function
// that installs the replacement, in the order of the host's list of replaceable methods
// (hostapi/ReplaceableMethods.h). Each row's replacement and the host's
// original it saves are typed by the row's selector descriptor (hostapi/Selectors.h), so a
// replacement with the wrong signature does not compile.

#include <cstddef>
#include <span>

#include "platform/objc/Hook.h"

namespace lumora {

// The host's implementation a replacement was given, one per selector descriptor.
template <class Selector>
struct Original {
    using Imp = typename objc::ImpOf<typename Selector::Signature>::type;
    static inline Imp imp = nullptr;
};

template <class Sig>
struct SignatureResult;
template <class R, class... A>
struct SignatureResult<R(A...)> {
    using type = R;
};

// Calls the saved original; with none saved (the row failed to install) it does nothing and
// returns a value-initialised result.
template <class Selector, class... P>
typename SignatureResult<typename Selector::Signature>::type callOriginal(id self, SEL cmd,
                                                                          P&&... args) {
    auto imp = Original<Selector>::imp;
    if (imp == nullptr) return typename SignatureResult<typename Selector::Signature>::type();
    return imp(self, cmd, std::forward<P>(args)...);
}

// Installing a row twice would save the replacement as its own original and make it call
// itself; a row already in place is left as it is.
template <class Selector, auto Replacement>
objc::HookResult installReplacement(objc::Class* cls) {
    if (cls != nullptr) {
        const objc::Method* current = cls->findMethod(Selector::name);
        if (current != nullptr && current->imp == reinterpret_cast<void (*)()>(Replacement)) {
            return objc::HookResult::Replaced;
        }
    }
    return objc::hook<Selector>(cls, Replacement, &Original<Selector>::imp);
}

struct HookRow {
    const char* className;
    SEL selector;
    objc::HookResult (*install)(objc::Class* cls);
};

// The rows whose replacement is built, in the order of the host's replaceable methods
// (hostapi::kReplaceableMethods); rows that are not built yet are absent (pure pass-through
// rows may stay absent for good).
std::span<const HookRow> hookTable();

// Installs every row of hookTable() in order. A row whose class or method the host lacks is
// reported on stderr and skipped. Returns the number of methods replaced.
std::size_t installHooks();

}  // namespace lumora
