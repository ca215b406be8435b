#pragma once
// Inside the layer: the system keyboard or mouse of DirectInput. While acquired it
// listens to the layer's input, keeps its own state and, when a buffer size is set,
// its own queue of events.

#include <atomic>
#include <deque>

#include "platform/DirectInput.h"
#include "platform/WinInput.h"

namespace platform::directinput {

enum class DeviceKind { Keyboard, Mouse };

class Device final : public IDirectInputDevice8W, private input::Listener {
public:
    // Holds a reference on the DirectInput object that made it.
    Device(DeviceKind kind, IDirectInput8W* owner);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SetDataFormat(const DIDATAFORMAT* format) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) override;
    HRESULT Acquire() override;
    HRESULT Unacquire() override;
    HRESULT GetDeviceData(DWORD objectDataSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD flags) override;
    HRESULT GetDeviceState(DWORD size, LPVOID state) override;

private:
    ~Device() override;

    void OnKey(UINT scanCode, bool down, DWORD time, DWORD sequence) override;
    void OnMouseMove(int dx, int dy, DWORD time, DWORD sequence) override;
    void OnMouseButton(int button, bool down, DWORD time, DWORD sequence) override;
    void OnWheel(int delta, DWORD time, DWORD sequence) override;

    void Record(DWORD offset, DWORD data, DWORD time, DWORD sequence);
    // A lost device stops listening and must be acquired again.
    void Lose();

    DeviceKind kind_;
    IDirectInput8W* owner_;
    std::atomic<ULONG> references_{1};
    const DIDATAFORMAT* format_ = nullptr;
    bool acquired_ = false;
    DWORD bufferSize_ = 0;
    std::deque<DIDEVICEOBJECTDATA> buffer_;
    bool overflowed_ = false;
    BYTE keys_[256]{};
    DIMOUSESTATE2 mouse_{};  // axes: motion since the last state read
};

}  // namespace platform::directinput
