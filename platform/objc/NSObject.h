#pragma once
// The root of every object the simulated runtime knows: host classes, platform classes and the
// add-on's classes. Objects with identity are owned through std::shared_ptr and never copied.

#include <memory>
#include <string>

// A selector is its textual name ("_setCameraMode:cameraDevice:"), as on the platform.
using SEL = const char*;

class NSObject : public std::enable_shared_from_this<NSObject> {
public:
    NSObject() = default;
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;
    virtual ~NSObject() = default;

    // The runtime class name; method dispatch and class-name comparisons use it.
    virtual const char* className() const { return "NSObject"; }

    // True when this object's runtime class is `name` or inherits from it.
    bool isKindOfClass(const char* name) const;
    // True when the object's runtime class (or a superclass) has a method for `sel`.
    bool respondsToSelector(SEL sel) const;
};

using id = NSObject*;

// Declares the runtime class name of a C++ class deriving from NSObject.
#define LU_OBJC_CLASS(Name)                  \
    const char* className() const override { \
        return #Name;                        \
    }

// A weakly held reference, cleared when its object goes: delegates, targets, superviews.
template <class T>
using WeakRef = std::weak_ptr<T>;
