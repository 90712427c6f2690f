#pragma once
// Method replacement, as the code-injection framework offers it to add-ons:
//   MSHookMessageEx(objc_getClass("CAMCaptureController"), "_didTakePhoto", &replaced, &original);
// The replacement takes the class's method-table entry; `original` receives the implementation it
// replaced (the class's own or, when only a superclass defines it, the inherited one), which the
// replacement may call.

#include <string>

#include "platform/objc/Runtime.h"

namespace objc {

enum class HookResult { Replaced, NoClass, NoMethod, SignatureMismatch };

const char* describe(HookResult result);

// Installs `replacement` for `sel` on `cls`. On any failure nothing changes, `*original` is set
// to null and the reason is returned.
template <class R, class... A>
HookResult hookMethod(Class* cls, SEL sel, Imp<R, A...> replacement, Imp<R, A...>* original) {
    if (original != nullptr) *original = nullptr;
    if (cls == nullptr) return HookResult::NoClass;
    const Method* existing = cls->findMethod(sel);
    if (existing == nullptr) return HookResult::NoMethod;
    auto previous = methodAs<R, A...>(*existing);
    if (previous == nullptr) return HookResult::SignatureMismatch;
    cls->setMethod(sel, makeMethod(replacement));
    if (original != nullptr) *original = previous;
    return HookResult::Replaced;
}

// Compile-time checked form for a selector declared with LU_SELECTOR.
template <class Selector>
HookResult hook(Class* cls, typename ImpOf<typename Selector::Signature>::type replacement,
                typename ImpOf<typename Selector::Signature>::type* original) {
    return hookMethod(cls, Selector::name, replacement, original);
}

void reportHookFailure(HookResult result, const Class* cls, SEL sel);

}  // namespace objc

// The injection framework's entry point. A failure is reported on stderr and leaves the class
// unchanged (the original pointer is cleared), so a wrong signature is never called.
template <class R, class... A>
void MSHookMessageEx(objc::Class* cls, SEL sel, objc::Imp<R, A...> replacement,
                     objc::Imp<R, A...>* original) {
    const objc::HookResult result = objc::hookMethod(cls, sel, replacement, original);
    if (result != objc::HookResult::Replaced) objc::reportHookFailure(result, cls, sel);
}
