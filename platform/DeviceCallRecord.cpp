#include "platform/DeviceCallRecord.h"

#include <algorithm>

namespace platform::seam {

namespace {

// Bounds that keep a long test's record from eating the machine.
constexpr std::size_t kMaxRecordedBytes = std::size_t{64} << 20;
constexpr std::size_t kMaxRecordedCalls = 200000;

std::size_t Weight(const DeviceCall& call) {
    return sizeof(call) + call.name.size() + call.args.size() * sizeof(DWORD) + call.rects.size() * sizeof(RECT) +
           call.indices.size() * sizeof(WORD) + call.vertices.size();
}

}  // namespace

DeviceCall& DeviceCallRecord::Begin(const char* name, std::initializer_list<DWORD> args) {
    if (count_ == kMaxRecordedCalls) DropOldest();
    if (count_ == calls_.size()) {
        // Every entry holds a call: one more, behind the newest.
        std::rotate(calls_.begin(), calls_.begin() + static_cast<std::ptrdiff_t>(first_), calls_.end());
        first_ = 0;
        ++count_;
        return calls_.emplace_back(name, args);
    }
    // Assigning keeps the entry's buffers.
    DeviceCall& call = calls_[Slot(count_++)];
    call.name.assign(name);
    call.result = DD_OK;
    call.args.assign(args);
    call.target = nullptr;
    call.surface = nullptr;
    call.rects.clear();
    call.z = 0;
    call.matrix = {};
    call.viewport = {};
    call.material = {};
    call.light = {};
    call.indices.clear();
    call.vertices.clear();
    return call;
}

HRESULT DeviceCallRecord::End(HRESULT result) {
    DeviceCall& call = calls_[Slot(count_ - 1)];
    call.result = result;
    bytes_ += Weight(call);
    while (count_ > 1 && bytes_ > kMaxRecordedBytes) DropOldest();
    return result;
}

void DeviceCallRecord::Clear() {
    first_ = 0;
    count_ = 0;
    bytes_ = 0;
}

void DeviceCallRecord::DropOldest() {
    bytes_ -= Weight(calls_[first_]);
    first_ = Slot(1);
    --count_;
}

}  // namespace platform::seam
