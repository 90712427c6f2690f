#pragma once
// Ordering the resolution picker's heights. A height key may be a number or a numeric string
// (files written by hand, older versions); both compare by their integer value, so 1080 sorts
// after 720 and "720" sits with 720.

#include "platform/foundation/Value.h"

namespace lumora {

enum NSComparisonResult : int {
    NSOrderedAscending = -1,
    NSOrderedSame = 0,
    NSOrderedDescending = 1,
};

// The integer value of a number or a numeric string; 0 for anything else (null, array, ...).
int intValueOfKey(const ns::Value& key);

// intCompare: equal values are the same, a smaller receiver is ascending, otherwise descending.
NSComparisonResult intCompare(const ns::Value& receiver, const ns::Value& argument);

}  // namespace lumora
