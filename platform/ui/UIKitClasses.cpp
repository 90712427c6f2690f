#include "platform/ui/UIKitClasses.h"

#include "platform/objc/Runtime.h"

namespace platform {

void registerUIKitClasses() {
    static constexpr const char* kClasses[][2] = {
        {"UIResponder", "NSObject"},
        {"UIView", "UIResponder"},
        {"UIWindow", "UIView"},
        {"UIControl", "UIView"},
        {"UIButton", "UIControl"},
        {"UISwitch", "UIControl"},
        {"UILabel", "UIView"},
        {"UIImageView", "UIView"},
        {"UIScrollView", "UIView"},
        {"UIVisualEffectView", "UIView"},
        {"UIViewController", "UIResponder"},
        {"UINavigationController", "UIViewController"},
        {"UIApplication", "UIResponder"},
        {"UIGestureRecognizer", "NSObject"},
        {"UITapGestureRecognizer", "UIGestureRecognizer"},
        {"UILongPressGestureRecognizer", "UIGestureRecognizer"},
        {"UIPanGestureRecognizer", "UIGestureRecognizer"},
        {"UIImage", "NSObject"},
        {"UITouch", "NSObject"},
        {"UIEvent", "NSObject"},
        {"CAFilter", "NSObject"},
    };
    auto& rt = objc::Runtime::current();
    for (const auto& c : kClasses) rt.registerClass(c[0], c[1]);
}

}  // namespace platform
