#include "overlays/NumericComparison.h"

namespace lumora {

int intValueOfKey(const ns::Value& key) {
    if (!key.isNumber() && !key.isString()) return 0;
    return key.intValue().value_or(0);
}

NSComparisonResult intCompare(const ns::Value& receiver, const ns::Value& argument) {
    const int a = intValueOfKey(receiver);
    const int b = intValueOfKey(argument);
    if (a == b) return NSOrderedSame;
    return a < b ? NSOrderedAscending : NSOrderedDescending;
}

}  // namespace lumora
