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

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/Direct3D.h"

namespace platform::seam {

// One call made on a Direct3D device, or one presentation or display-mode call on
// DirectDraw, with its answer. Which fields a call fills:
//   IDirectDraw7::SetCooperativeLevel      args {flags}
//   IDirectDraw7::SetDisplayMode           args {width, height, bits per pixel, refresh rate, flags}
//   IDirectDraw7::RestoreDisplayMode       -
//   IDirectDraw7::WaitForVerticalBlank     args {flags}
//   IDirectDrawSurface7::Flip              args {flags}; target = the flipped surface, surface = the
//                                          override target or null
//   IDirectDrawSurface7::Blt               args {flags}; target = the destination, surface = the
//                                          source; rects {destination, source}, nulls resolved to
//                                          the whole surface
//   IDirect3DDevice7::SetViewport          viewport
//   IDirect3DDevice7::SetRenderTarget      args {flags}; surface
//   IDirect3DDevice7::Clear                args {flags, colour, stencil}; z; rects
//   IDirect3DDevice7::BeginScene, EndScene -
//   IDirect3DDevice7::SetTransform         args {transform state}; matrix
//   IDirect3DDevice7::SetRenderState       args {state, value}
//   IDirect3DDevice7::SetTextureStageState args {stage, state, value}
//   IDirect3DDevice7::SetTexture           args {stage}; surface
//   IDirect3DDevice7::SetMaterial          material
//   IDirect3DDevice7::DrawIndexedPrimitive args {primitive type, vertex format, vertex count,
//                                          index count, flags}; indices; vertices (the bytes of
//                                          the vertex count vertices)
//   IDirect3DDevice7::SetLight             args {index}; light
//   IDirect3DDevice7::LightEnable          args {index, enable}
// Surfaces are recorded as pointers only (no reference is held).
struct DeviceCall {
    explicit DeviceCall(std::string callName, std::vector<DWORD> callArgs = {})
        : name(std::move(callName)), args(std::move(callArgs)) {}

    std::string name;
    HRESULT result = DD_OK;
    std::vector<DWORD> args;
    IDirectDrawSurface7* target = nullptr;
    IDirectDrawSurface7* surface = nullptr;
    std::vector<RECT> rects;
    D3DVALUE z = 0;
    D3DMATRIX matrix{};
    D3DVIEWPORT7 viewport{};
    D3DMATERIAL7 material{};
    D3DLIGHT7 light{};
    std::vector<WORD> indices;
    std::vector<BYTE> vertices;
};

// Every recorded call since the last clear, in order, across every device made in that
// time (the record survives a device's re-creation). Kept on the headless backend only. Only the most recent calls are
// kept once the record grows very large (about 64 MB of geometry or 200000 calls).
const std::deque<DeviceCall>& DeviceCalls();
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
