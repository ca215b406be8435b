#pragma once
// Inside the platform layer: one call of a headless device or DirectDraw object as it
// is answered. Failures are injected by the call's name; its record (values and
// result, platform::seam::DeviceCalls) is kept on the headless backend only, and
// elsewhere never built, so that a drawing backend pays nothing for it per call.

#include <initializer_list>

#include "platform/DeviceCallRecord.h"

namespace platform::ddraw {

class RecordedCall {
public:
    explicit RecordedCall(const char* name, std::initializer_list<DWORD> args = {});
    RecordedCall(const RecordedCall&) = delete;
    RecordedCall& operator=(const RecordedCall&) = delete;

    bool Injected() const;
    // The record to fill in, or null where none is kept.
    seam::DeviceCall* Details() { return details_; }
    // Ends the record with the result, which it answers.
    HRESULT Answer(HRESULT result);

private:
    const char* name_;
    seam::DeviceCall* details_ = nullptr;
};

// The one record of every recorded call.
seam::DeviceCallRecord& TheDeviceCallRecord();

}  // namespace platform::ddraw
