#include "platform/FailureInjection.h"

#include <map>
#include <string>

namespace {

std::map<std::string, int>& Pending() {
    static std::map<std::string, int> pending;
    return pending;
}

}  // namespace

namespace platform {

bool ShouldFail(const char* callName) {
    auto it = Pending().find(callName);
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
