#include "platform/DirectDrawSeams.h"

#include "platform/DirectDrawHeadless.h"
#include "platform/RecordedCall.h"

namespace platform::seam {

const DeviceCallRecord& DeviceCalls() { return ddraw::TheDeviceCallRecord(); }

void ClearDeviceCalls() { ddraw::TheDeviceCallRecord().Clear(); }

void MarkSurfaceLost(IDirectDrawSurface7* surface) {
    if (surface) static_cast<platform::ddraw::HeadlessSurface*>(surface)->MarkLost();
}

void MarkAllSurfacesLost() {
    for (platform::ddraw::HeadlessSurface* surface : platform::ddraw::HeadlessSurface::Live())
        if (surface->InVideoMemory()) surface->MarkLost();
}

}  // namespace platform::seam
