#include "platform/DirectInputDevice.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/FailureInjection.h"
#include "platform/WinUser.h"

namespace platform::directinput {

namespace {

constexpr DWORD FlushAll = 0xFFFFFFFF;

DWORD DownData(bool down) { return down ? 0x80 : 0; }

}  // namespace

Device::Device(DeviceKind kind, IDirectInput8W* owner) : kind_(kind), owner_(owner) { owner_->AddRef(); }

Device::~Device() {
    Unacquire();
    owner_->Release();
}

HRESULT Device::QueryInterface(REFIID iid, void** object) {
    if (!object) return DIERR_INVALIDPARAM;
    if (!(iid == IID_IDirectInputDevice8W)) {
        *object = nullptr;
        return DIERR_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IDirectInputDevice8W*>(this);
    return DI_OK;
}

ULONG Device::AddRef() { return ++references_; }

ULONG Device::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT Device::SetDataFormat(const DIDATAFORMAT* format) {
    if (ShouldFail("IDirectInputDevice8::SetDataFormat")) return DIERR_GENERIC;
    std::lock_guard lock(input::Mutex());
    if (acquired_) return DIERR_ACQUIRED;
    const DIDATAFORMAT* standard = kind_ == DeviceKind::Keyboard ? &c_dfDIKeyboard : &c_dfDIMouse2;
    if (format != standard) return DIERR_INVALIDPARAM;
    format_ = format;
    return DI_OK;
}

HRESULT Device::SetCooperativeLevel(HWND window, DWORD flags) {
    if (ShouldFail("IDirectInputDevice8::SetCooperativeLevel")) return DIERR_GENERIC;
    std::lock_guard lock(input::Mutex());
    if (acquired_) return DIERR_ACQUIRED;
    bool exclusive = flags & DISCL_EXCLUSIVE, nonExclusive = flags & DISCL_NONEXCLUSIVE;
    bool foreground = flags & DISCL_FOREGROUND, background = flags & DISCL_BACKGROUND;
    if (exclusive == nonExclusive || foreground == background || !IsWindow(window)) return DIERR_INVALIDPARAM;
    // Devices here always deliver in the background and share the input.
    if (exclusive || foreground) return DIERR_UNSUPPORTED;
    return DI_OK;
}

HRESULT Device::SetProperty(REFGUID property, const DIPROPHEADER* header) {
    if (ShouldFail("IDirectInputDevice8::SetProperty")) return DIERR_GENERIC;
    if (&property != &DIPROP_BUFFERSIZE) return DIERR_UNSUPPORTED;
    if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwSize != sizeof(DIPROPDWORD) ||
        header->dwHow != DIPH_DEVICE || header->dwObj != 0)
        return DIERR_INVALIDPARAM;
    std::lock_guard lock(input::Mutex());
    if (acquired_) return DIERR_ACQUIRED;
    bufferSize_ = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    return DI_OK;
}

HRESULT Device::Acquire() {
    if (ShouldFail("IDirectInputDevice8::Acquire")) return DIERR_OTHERAPPHASPRIO;
    std::lock_guard lock(input::Mutex());
    if (!format_) return DIERR_INVALIDPARAM;
    if (acquired_) return DI_NOEFFECT;
    acquired_ = true;
    buffer_.clear();
    overflowed_ = false;
    // The state starts as the keys and buttons are now.
    input::ScanCodeState(keys_);
    mouse_ = DIMOUSESTATE2{};
    for (int button = 0; button < 8; ++button)
        mouse_.rgbButtons[button] = static_cast<BYTE>(DownData(input::MouseButtonDown(button)));
    input::AddListener(this);
    return DI_OK;
}

HRESULT Device::Unacquire() {
    std::lock_guard lock(input::Mutex());
    if (!acquired_) return DI_NOEFFECT;
    acquired_ = false;
    input::RemoveListener(this);
    return DI_OK;
}

HRESULT Device::GetDeviceData(DWORD objectDataSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD flags) {
    if (ShouldFail("IDirectInputDevice8::GetDeviceData")) {
        Lose();
        return DIERR_INPUTLOST;
    }
    if (!count || objectDataSize != sizeof(DIDEVICEOBJECTDATA)) return DIERR_INVALIDPARAM;
    input::Pump();
    std::lock_guard lock(input::Mutex());
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (bufferSize_ == 0) return DIERR_NOTBUFFERED;
    HRESULT result = overflowed_ ? DI_BUFFEROVERFLOW : DI_OK;
    bool peek = (flags & DIGDD_PEEK) != 0;
    DWORD taken = static_cast<DWORD>(std::min<size_t>(*count, buffer_.size()));
    if (data) std::copy_n(buffer_.begin(), taken, data);
    if (!peek) {
        // A null buffer with FlushAll empties the queue; with another count it drops that many.
        if (!data && *count == FlushAll) taken = static_cast<DWORD>(buffer_.size());
        buffer_.erase(buffer_.begin(), buffer_.begin() + taken);
        overflowed_ = false;
    }
    *count = taken;
    return result;
}

HRESULT Device::GetDeviceState(DWORD size, LPVOID state) {
    if (ShouldFail("IDirectInputDevice8::GetDeviceState")) {
        Lose();
        return DIERR_INPUTLOST;
    }
    if (!state) return DIERR_INVALIDPARAM;
    input::Pump();
    std::lock_guard lock(input::Mutex());
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (kind_ == DeviceKind::Keyboard) {
        if (size != sizeof(keys_)) return DIERR_INVALIDPARAM;
        std::memcpy(state, keys_, sizeof(keys_));
        return DI_OK;
    }
    if (size != sizeof(DIMOUSESTATE2)) return DIERR_INVALIDPARAM;
    std::memcpy(state, &mouse_, sizeof(mouse_));
    mouse_.lX = mouse_.lY = mouse_.lZ = 0;
    return DI_OK;
}

void Device::OnKey(UINT scanCode, bool down, DWORD time, DWORD sequence) {
    if (kind_ != DeviceKind::Keyboard) return;
    keys_[scanCode & 0xFF] = static_cast<BYTE>(DownData(down));
    Record(scanCode & 0xFF, DownData(down), time, sequence);
}

void Device::OnMouseMove(int dx, int dy, DWORD time, DWORD sequence) {
    if (kind_ != DeviceKind::Mouse) return;
    mouse_.lX += dx;
    mouse_.lY += dy;
    if (dx) Record(DIMOFS_X, static_cast<DWORD>(dx), time, sequence);
    if (dy) Record(DIMOFS_Y, static_cast<DWORD>(dy), time, sequence);
}

void Device::OnMouseButton(int button, bool down, DWORD time, DWORD sequence) {
    if (kind_ != DeviceKind::Mouse || button < 0 || button >= 8) return;
    mouse_.rgbButtons[button] = static_cast<BYTE>(DownData(down));
    Record(DIMOFS_BUTTON0 + static_cast<DWORD>(button), DownData(down), time, sequence);
}

void Device::OnWheel(int delta, DWORD time, DWORD sequence) {
    if (kind_ != DeviceKind::Mouse) return;
    mouse_.lZ += delta;
    Record(DIMOFS_Z, static_cast<DWORD>(delta), time, sequence);
}

void Device::Record(DWORD offset, DWORD data, DWORD time, DWORD sequence) {
    if (bufferSize_ == 0) return;
    // A full buffer keeps its older events and drops the new one.
    if (buffer_.size() >= bufferSize_) {
        overflowed_ = true;
        return;
    }
    buffer_.push_back(DIDEVICEOBJECTDATA{offset, data, time, sequence, 0});
}

void Device::Lose() { Unacquire(); }

}  // namespace platform::directinput
