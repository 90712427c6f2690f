#pragma once
// A text dump of a view tree for tests and scenario checks: one line per view, indented two
// spaces per level, with model (not presentation) values:
//   UIButton tag=5 frame=(10,20,44,44) alpha=1 hidden=no enabled=yes selected=no
//   highlighted=no title="Start"
// (on one line). Controls add enabled/selected/highlighted, labels add text="...", buttons add
// title="...". Numbers print with at most three decimals, without trailing zeros.

#include <string>

class UIView;

namespace platform {

std::string dumpViewTree(const UIView& view);
// The line of one view, without indentation or newline.
std::string describeView(const UIView& view);

}  // namespace platform
