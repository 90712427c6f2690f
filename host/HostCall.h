#pragma once
// The host's calls of its replaceable methods: each goes through the runtime (so an add-on's
// replacement takes effect) and is recorded in the event log with its arguments.

#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "host/EventLog.h"
#include "hostapi/HostAPI.h"

namespace host {

namespace detail {

inline std::string formatArg(bool b) {
    return b ? "1" : "0";
}
inline std::string formatArg(long v) {
    return std::to_string(v);
}
inline std::string formatArg(int v) {
    return std::to_string(v);
}
inline std::string formatArg(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
inline std::string formatArg(CGPoint p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%.1f,%.1f)", p.x, p.y);
    return buf;
}
inline std::string formatArg(CGRect r) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "(%.1f,%.1f,%.1f,%.1f)", r.origin.x, r.origin.y, r.size.width,
                  r.size.height);
    return buf;
}
inline std::string formatArg(const NSObject* o) {
    return o != nullptr ? o->className() : "nil";
}
inline std::string formatArg(std::nullptr_t) {
    return "nil";
}
inline std::string formatArg(const std::string& s) {
    return s;
}
// Blocks, dictionaries and surfaces are not spelled out.
template <class T>
std::string formatArg(const std::function<T>&) {
    return {};
}
inline std::string formatArg(const ns::Dictionary*) {
    return {};
}
inline std::string formatArg(IOSurfaceRef) {
    return {};
}

template <class... P>
std::string formatArgs(const P&... args) {
    std::string out;
    [[maybe_unused]] auto add = [&out](std::string s) {
        if (s.empty()) return;
        if (!out.empty()) out += ' ';
        out += s;
    };
    (add(formatArg(args)), ...);
    return out;
}

}  // namespace detail

// Records the call, then makes it through the runtime.
template <class Selector, class... P>
decltype(auto) call(id self, P&&... args) {
    log().record(Selector::name, detail::formatArgs(args...),
                 self != nullptr ? self->className() : "nil");
    return objc::send<Selector>(self, std::forward<P>(args)...);
}

}  // namespace host
