#include "platform/FailureInjection.h"

#include <map>
#include <string>
#include <string_view>

namespace {

struct PendingFailures {
    int successesFirst = 0;
    int failures = 0;
};

// Looked up by the plain name without building a string: every device call asks.
std::map<std::string, PendingFailures, std::less<>>& Pending() {
    static std::map<std::string, PendingFailures, std::less<>> pending;
    return pending;
}

}  // namespace

namespace platform {

bool ShouldFail(const char* callName) {
    if (Pending().empty()) return false;
    auto it = Pending().find(std::string_view(callName));
    if (it == Pending().end()) return false;
    PendingFailures& pending = it->second;
    if (pending.successesFirst > 0) {
        --pending.successesFirst;
        return false;
    }
    if (--pending.failures <= 0) Pending().erase(it);
    return true;
}

}  // namespace platform

namespace platform::seam {

void FailNextCalls(const char* callName, int count) { FailCallsAfter(callName, 0, count); }

void FailCallsAfter(const char* callName, int successes, int count) {
    if (count > 0) Pending()[callName] = PendingFailures{successes > 0 ? successes : 0, count};
    else Pending().erase(callName);
}

void ClearInjectedFailures() { Pending().clear(); }

}  // namespace platform::seam
