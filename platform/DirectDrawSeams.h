#pragma once
// Test seams of DirectDraw and Direct3D: the record of device and presentation calls,
// and lost surfaces. Capabilities are set through platform/DirectDrawCaps.h.
//
// Failures that tests can inject with platform::seam::FailNextCalls, and what the call
// then answers (an injected failure changes nothing else):
//   "DirectDrawEnumerateExA"                    DDERR_GENERIC
//   "DirectDrawCreateEx"                        DDERR_NODIRECTDRAWHW
//   "IDirectDraw7::QueryInterface"              E_NOINTERFACE
//   "IDirectDraw7::GetCaps"                     DDERR_GENERIC
//   "IDirectDraw7::EnumDisplayModes"            DDERR_GENERIC
//   "IDirectDraw7::GetDisplayMode"              DDERR_GENERIC
//   "IDirectDraw7::SetCooperativeLevel"         DDERR_EXCLUSIVEMODEALREADYSET
//   "IDirectDraw7::SetDisplayMode"              DDERR_UNSUPPORTEDMODE
//   "IDirectDraw7::RestoreDisplayMode"          DDERR_GENERIC
//   "IDirectDraw7::CreateSurface"               DDERR_OUTOFVIDEOMEMORY
//   "IDirectDraw7::CreateClipper"               DDERR_OUTOFMEMORY
//   "IDirectDraw7::WaitForVerticalBlank"        DDERR_GENERIC
//   "IDirectDrawSurface7::AddAttachedSurface"   DDERR_CANNOTATTACHSURFACE
//   "IDirectDrawSurface7::GetAttachedSurface"   DDERR_NOTFOUND
//   "IDirectDrawSurface7::GetSurfaceDesc"       DDERR_GENERIC
//   "IDirectDrawSurface7::SetClipper"           DDERR_GENERIC
//   "IDirectDrawSurface7::Lock"                 DDERR_SURFACELOST
//   "IDirectDrawSurface7::Unlock"               DDERR_GENERIC
//   "IDirectDrawSurface7::Flip"                 DDERR_SURFACELOST
//   "IDirectDrawSurface7::Blt"                  DDERR_SURFACELOST
//   "IDirectDrawSurface7::Restore"              DDERR_WRONGMODE
//   "IDirectDrawClipper::SetHWnd"               DDERR_GENERIC
//   "IDirect3D7::EnumDevices"                   DDERR_GENERIC
//   "IDirect3D7::EnumZBufferFormats"            DDERR_GENERIC
//   "IDirect3D7::CreateDevice"                  DDERR_OUTOFVIDEOMEMORY
//   "IDirect3DDevice7::<operation>"             DDERR_GENERIC, for every operation of the
//                                               device that answers an HRESULT, except
//   "IDirect3DDevice7::BeginScene", "...::Clear", "...::DrawIndexedPrimitive" and
//   "...::EndScene"                             DDERR_SURFACELOST

#include "platform/DeviceCallRecord.h"
#include "platform/Direct3D.h"

namespace platform::seam {

// Every recorded call since the last clear, in order, across every device made in that
// time (the record survives a device's re-creation). Kept on the headless backend only.
const DeviceCallRecord& DeviceCalls();
void ClearDeviceCalls();

// A lost surface answers DDERR_SURFACELOST to Lock, Blt, Flip and IsLost, and a device
// drawing into it answers the same to BeginScene, Clear, DrawIndexedPrimitive and
// EndScene, until its Restore. Losing one surface of a chain loses the whole chain (its
// root restores it).
void MarkSurfaceLost(IDirectDrawSurface7* surface);
// What a display-mode change by another program looks like: every surface in video
// memory is lost; system-memory and managed texture surfaces survive.
void MarkAllSurfacesLost();

}  // namespace platform::seam
