#include "platform/device/NSBundle.h"

NSBundle& NSBundle::mainBundle() {
    static NSBundle* bundle = new NSBundle();
    return *bundle;
}
