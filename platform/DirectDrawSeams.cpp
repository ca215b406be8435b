#include "platform/DirectDrawSeams.h"

#include "platform/Backend.h"
#include "platform/DirectDrawHeadless.h"

namespace {

// Bounds that keep a long test's record from eating the machine.
constexpr size_t kMaxRecordedBytes = size_t{64} << 20;
constexpr size_t kMaxRecordedCalls = 200000;

struct CallRecord {
    std::deque<platform::seam::DeviceCall> calls;
    size_t bytes = 0;
};

CallRecord& Recorded() {
    static CallRecord record;
    return record;
}

size_t Weight(const platform::seam::DeviceCall& call) {
    return sizeof(call) + call.name.size() + call.args.size() * sizeof(DWORD) + call.rects.size() * sizeof(RECT) +
           call.indices.size() * sizeof(WORD) + call.vertices.size();
}

}  // namespace

namespace platform::ddraw {

HRESULT Record(seam::DeviceCall call) {
    // Only tests read the record, and they run headless; a game on screen keeps none.
    HRESULT result = call.result;
    if (!IsHeadless()) return result;
    CallRecord& record = Recorded();
    record.bytes += Weight(call);
    record.calls.push_back(std::move(call));
    while (record.calls.size() > kMaxRecordedCalls || record.bytes > kMaxRecordedBytes) {
        record.bytes -= Weight(record.calls.front());
        record.calls.pop_front();
    }
    return result;
}

}  // namespace platform::ddraw

namespace platform::seam {

const std::deque<DeviceCall>& DeviceCalls() { return Recorded().calls; }

void ClearDeviceCalls() {
    Recorded().calls.clear();
    Recorded().bytes = 0;
}

void MarkSurfaceLost(IDirectDrawSurface7* surface) {
    if (surface) static_cast<platform::ddraw::HeadlessSurface*>(surface)->MarkLost();
}

void MarkAllSurfacesLost() {
    for (platform::ddraw::HeadlessSurface* surface : platform::ddraw::HeadlessSurface::Live())
        if (surface->InVideoMemory()) surface->MarkLost();
}

}  // namespace platform::seam
