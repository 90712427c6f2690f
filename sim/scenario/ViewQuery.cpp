#include "sim/scenario/ViewQuery.h"

#include <cctype>

#include "dial/DialView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"
#include "sim/scenario/CommandTable.h"
#include "sim/scenario/ElementRegistry.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

template <class Match>
UIView* search(UIView& view, const Match& match, bool visibleOnly) {
    if (visibleOnly && (view.isHidden() || view.alpha() <= 0)) return nullptr;
    if (match(view)) return &view;
    const auto& children = view.subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!*it) continue;
        if (UIView* found = search(**it, match, visibleOnly)) return found;
    }
    return nullptr;
}

template <class Match>
UIView* searchPreferVisible(UIView& root, const Match& match) {
    if (UIView* v = search(root, match, true)) return v;
    return search(root, match, false);
}

bool isClassName(const std::string& s) {
    if (s.empty() || !std::isupper(static_cast<unsigned char>(s.front()))) return false;
    for (const char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

}  // namespace

std::string ViewQuery::describe() const {
    switch (kind) {
        case Kind::Element:
            return name;
        case Kind::Class:
            return tag ? name + "[" + std::to_string(*tag) + "]" : name;
        case Kind::Text:
            return "\"" + text + "\"";
        case Kind::Point:
            return "(" + formatNumber(point.x) + "," + formatNumber(point.y) + ")";
    }
    return {};
}

std::optional<ViewQuery> parseViewQuery(const Token& word, std::string& error) {
    ViewQuery q;
    if (word.quoted) {
        q.kind = ViewQuery::Kind::Text;
        q.text = word.text;
        return q;
    }
    const std::string& w = word.text;
    if (w.empty()) {
        error = "an empty view name";
        return std::nullopt;
    }
    if (w.front() == '(' || std::isdigit(static_cast<unsigned char>(w.front())) ||
        w.front() == '-') {
        const auto p = parsePoint(w);
        if (!p) {
            error = "malformed point \"" + w + "\" (expected (x,y))";
            return std::nullopt;
        }
        q.kind = ViewQuery::Kind::Point;
        q.point = *p;
        return q;
    }
    if (std::isupper(static_cast<unsigned char>(w.front()))) {
        std::string name = w;
        const std::size_t bracket = w.find('[');
        if (bracket != std::string::npos) {
            if (w.back() != ']') {
                error = "malformed class and tag \"" + w + "\" (expected Class[tag])";
                return std::nullopt;
            }
            const auto tag = parseInteger(w.substr(bracket + 1, w.size() - bracket - 2));
            if (!tag) {
                error = "malformed tag in \"" + w + "\"";
                return std::nullopt;
            }
            q.tag = *tag;
            name = w.substr(0, bracket);
        }
        if (!isClassName(name)) {
            error = "malformed class name \"" + name + "\"";
            return std::nullopt;
        }
        q.kind = ViewQuery::Kind::Class;
        q.name = name;
        return q;
    }
    if (ElementRegistry::shared().find(w) == nullptr) {
        std::vector<std::string> names;
        for (const Element* e : ElementRegistry::shared().all()) names.push_back(e->name);
        error = "unknown element \"" + w + "\" (known: " + listChoices(names) + ")";
        return std::nullopt;
    }
    q.kind = ViewQuery::Kind::Element;
    q.name = w;
    return q;
}

UIView* findView(UIView& root, const ViewQuery& query) {
    switch (query.kind) {
        case ViewQuery::Kind::Element: {
            const Element* e = ElementRegistry::shared().find(query.name);
            return e != nullptr && e->find ? e->find(root) : nullptr;
        }
        case ViewQuery::Kind::Class:
            return findViewOfClass(root, query.name, query.tag.value_or(-1));
        case ViewQuery::Kind::Text:
            return searchPreferVisible(root, [&](UIView& v) {
                const auto text = viewText(v);
                return text && *text == query.text;
            });
        case ViewQuery::Kind::Point: {
            const CGPoint local = root.convertPointFromView(query.point, nullptr);
            return root.hitTest(local, nullptr);
        }
    }
    return nullptr;
}

UIView* findViewOfClass(UIView& root, const std::string& className, long tag) {
    return searchPreferVisible(
        root, [&](UIView& v) { return v.className() == className && (tag < 0 || v.tag() == tag); });
}

bool isEffectivelyVisible(const UIView& view) {
    for (const UIView* v = &view; v != nullptr; v = v->superview()) {
        if (v->isHidden() || v->alpha() <= 0) return false;
    }
    return true;
}

std::optional<std::string> viewText(const UIView& view) {
    if (const auto* label = dynamic_cast<const UILabel*>(&view)) return label->text();
    // The selection dial draws its number and unit: its text is what it shows.
    if (const auto* dial = dynamic_cast<const lumora::DialView*>(&view)) return dial->readout();
    if (const auto* button = dynamic_cast<const UIButton*>(&view))
        return button->titleForState(button->state());
    return std::nullopt;
}

std::optional<std::string> readoutText(const UIView& view) {
    if (auto own = viewText(view)) return own;
    for (const auto& child : view.subviews()) {
        if (const auto* label = dynamic_cast<const UILabel*>(child.get())) return label->text();
    }
    return std::nullopt;
}

}  // namespace sim
