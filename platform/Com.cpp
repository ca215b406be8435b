#include "platform/Com.h"

#include <optional>

namespace {

thread_local int initializations = 0;
std::optional<HRESULT> forcedResult;

}  // namespace

HRESULT CoInitialize(LPVOID) {
    if (forcedResult) {
        HRESULT result = *forcedResult;
        forcedResult.reset();
        return result;
    }
    return initializations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (initializations > 0) --initializations;
}

namespace platform::seam {

void SetNextCoInitializeResult(HRESULT result) { forcedResult = result; }
int ComInitializationCount() { return initializations; }

}  // namespace platform::seam
