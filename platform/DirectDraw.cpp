#include "platform/DirectDraw.h"

#include <string>

#include "platform/Backend.h"
#include "platform/DirectDrawCaps.h"
#include "platform/DirectDrawGL.h"
#include "platform/DirectDrawHeadless.h"
#include "platform/FailureInjection.h"

HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, LPVOID context, DWORD flags) {
    if (!callback) return DDERR_INVALIDPARAMS;
    if (platform::ShouldFail("DirectDrawEnumerateExA")) return DDERR_GENERIC;
    for (const platform::DisplayDriverCaps& driver : platform::GraphicsCapsInEffect().drivers) {
        if (!driver.primary && !(flags & DDENUM_ATTACHEDSECONDARYDEVICES)) continue;
        GUID guid = driver.guid;
        std::string description = driver.description, name = driver.name;
        if (!callback(driver.primary ? nullptr : &guid, description.data(), name.data(), context, nullptr)) break;
    }
    return DD_OK;
}

HRESULT DirectDrawCreateEx(GUID* driverGuid, void** directDraw, REFIID iid, void* outer) {
    if (!directDraw) return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (outer || !(iid == IID_IDirectDraw7)) return DDERR_INVALIDPARAMS;
    if (platform::ShouldFail("DirectDrawCreateEx")) return DDERR_NODIRECTDRAWHW;

    platform::GraphicsCaps caps = platform::GraphicsCapsInEffect();
    for (const platform::DisplayDriverCaps& driver : caps.drivers) {
        if (driverGuid ? !driver.primary && driver.guid == *driverGuid : driver.primary) {
            // The one place that chooses the implementation behind the interfaces.
            platform::ddraw::HeadlessDirectDraw* made = platform::IsHeadless()
                                                            ? new platform::ddraw::HeadlessDirectDraw(driver)
                                                            : new platform::ddraw::GLDirectDraw(driver);
            *directDraw = static_cast<IDirectDraw7*>(made);
            return DD_OK;
        }
    }
    return DDERR_INVALIDDIRECTDRAWGUID;
}
