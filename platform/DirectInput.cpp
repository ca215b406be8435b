#include "platform/DirectInput.h"

#include <atomic>

#include "platform/DirectInputDevice.h"
#include "platform/FailureInjection.h"

// The layer's own identifiers; callers compare them, never their values.
const GUID IID_IDirectInput8W = {0x7a1e5001, 0x4d49, 0x11d0, {0x9a, 0x31, 0x00, 0x00, 0x6d, 0x6f, 0x72, 0x01}};
const GUID IID_IDirectInputDevice8W = {0x7a1e5002, 0x4d49, 0x11d0, {0x9a, 0x31, 0x00, 0x00, 0x6d, 0x6f, 0x72, 0x02}};
const GUID GUID_SysKeyboard = {0x7a1e5003, 0x4d49, 0x11d0, {0x9a, 0x31, 0x00, 0x00, 0x6d, 0x6f, 0x72, 0x03}};
const GUID GUID_SysMouse = {0x7a1e5004, 0x4d49, 0x11d0, {0x9a, 0x31, 0x00, 0x00, 0x6d, 0x6f, 0x72, 0x04}};
const GUID DIPROP_BUFFERSIZE = {0x7a1e5005, 0x4d49, 0x11d0, {0x9a, 0x31, 0x00, 0x00, 0x6d, 0x6f, 0x72, 0x05}};

namespace {

constexpr DWORD RelativeAxes = 0x2;

}  // namespace

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 0, 256};
const DIDATAFORMAT c_dfDIMouse2 = {sizeof(DIDATAFORMAT), RelativeAxes, sizeof(DIMOUSESTATE2)};

namespace platform::directinput {

namespace {

class DirectInput final : public IDirectInput8W {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object) return DIERR_INVALIDPARAM;
        if (!(iid == IID_IDirectInput8W)) {
            *object = nullptr;
            return DIERR_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<IDirectInput8W*>(this);
        return DI_OK;
    }

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT CreateDevice(REFGUID device, IDirectInputDevice8W** result, void*) override {
        if (!result) return DIERR_INVALIDPARAM;
        *result = nullptr;
        if (ShouldFail("IDirectInput8::CreateDevice")) return DIERR_DEVICENOTREG;
        if (device == GUID_SysKeyboard)
            *result = new Device(DeviceKind::Keyboard, this);
        else if (device == GUID_SysMouse)
            *result = new Device(DeviceKind::Mouse, this);
        else
            return DIERR_DEVICENOTREG;
        return DI_OK;
    }

private:
    ~DirectInput() override = default;

    std::atomic<ULONG> references_{1};
};

}  // namespace

}  // namespace platform::directinput

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* result, void*) {
    if (!result) return DIERR_INVALIDPARAM;
    *result = nullptr;
    if (platform::ShouldFail("DirectInput8Create")) return DIERR_GENERIC;
    if (!instance) return DIERR_INVALIDPARAM;
    if (version > DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    if (version < DIRECTINPUT_VERSION) return DIERR_BETADIRECTINPUTVERSION;
    if (!(iid == IID_IDirectInput8W)) return DIERR_NOINTERFACE;
    *result = static_cast<IDirectInput8W*>(new platform::directinput::DirectInput);
    return DI_OK;
}
