#include "platform/ui/ViewTreeDump.h"

#include <cmath>
#include <cstdio>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"

namespace platform {
namespace {

std::string number(double v) {
    if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
    if (std::fabs(v) < 0.0005) v = 0;  // no "-0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

const char* yesNo(bool b) {
    return b ? "yes" : "no";
}

void dump(const UIView& view, int depth, std::string& out) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += describeView(view);
    out += '\n';
    for (const auto& sub : view.subviews()) dump(*sub, depth + 1, out);
}

}  // namespace

std::string describeView(const UIView& view) {
    const CGRect f = view.frame();
    std::string s = view.className();
    s += " tag=" + std::to_string(view.tag());
    s += " frame=(" + number(f.origin.x) + "," + number(f.origin.y) + "," + number(f.size.width) +
         "," + number(f.size.height) + ")";
    s += " alpha=" + number(view.alpha());
    s += std::string(" hidden=") + yesNo(view.isHidden());
    if (const auto* c = dynamic_cast<const UIControl*>(&view)) {
        s += std::string(" enabled=") + yesNo(c->isEnabled());
        s += std::string(" selected=") + yesNo(c->isSelected());
        s += std::string(" highlighted=") + yesNo(c->isHighlighted());
    }
    if (const auto* l = dynamic_cast<const UILabel*>(&view)) s += " text=\"" + l->text() + "\"";
    if (const auto* b = dynamic_cast<const UIButton*>(&view)) {
        s += " title=\"" + b->currentTitle() + "\"";
    }
    return s;
}

std::string dumpViewTree(const UIView& view) {
    std::string out;
    dump(view, 0, out);
    return out;
}

}  // namespace platform
