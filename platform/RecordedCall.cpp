#include "platform/RecordedCall.h"

#include "platform/Backend.h"
#include "platform/FailureInjection.h"

namespace platform::ddraw {

RecordedCall::RecordedCall(const char* name, std::initializer_list<DWORD> args) : name_(name) {
    // Only tests read the record, and they run headless; a game on screen keeps none.
    if (IsHeadless()) details_ = &TheDeviceCallRecord().Begin(name, args);
}

bool RecordedCall::Injected() const { return ShouldFail(name_); }

HRESULT RecordedCall::Answer(HRESULT result) {
    if (!details_) return result;
    details_ = nullptr;
    return TheDeviceCallRecord().End(result);
}

seam::DeviceCallRecord& TheDeviceCallRecord() {
    static seam::DeviceCallRecord record;
    return record;
}

}  // namespace platform::ddraw
