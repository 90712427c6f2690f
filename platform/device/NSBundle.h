#pragma once
// The main bundle of the running simulated process.

#include <string>

#include "platform/objc/NSObject.h"

class NSBundle : public NSObject {
public:
    LU_OBJC_CLASS(NSBundle)
    static NSBundle& mainBundle();

    const std::string& bundleIdentifier() const { return bundleIdentifier_; }
    // Set by the process launcher.
    void setBundleIdentifier(std::string identifier) { bundleIdentifier_ = std::move(identifier); }

private:
    NSBundle() = default;
    std::string bundleIdentifier_;
};
