#include "platform/FailureInjection.h"

#include <map>
#include <string>
#include <string_view>

namespace {

// Looked up by the plain name without building a string: every device call asks.
std::map<std::string, int, std::less<>>& Pending() {
    static std::map<std::string, int, std::less<>> pending;
    return pending;
}

}  // namespace

namespace platform {

bool ShouldFail(const char* callName) {
    if (Pending().empty()) return false;
    auto it = Pending().find(std::string_view(callName));
    if (it == Pending().end() || it->second <= 0) return false;
    if (--it->second == 0) Pending().erase(it);
    return true;
}

}  // namespace platform

namespace platform::seam {

void FailNextCalls(const char* callName, int count) {
    if (count > 0) Pending()[callName] = count;
    else Pending().erase(callName);
}

void ClearInjectedFailures() { Pending().clear(); }

}  // namespace platform::seam
