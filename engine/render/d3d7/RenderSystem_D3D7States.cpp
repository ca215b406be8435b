// The cached render states as the device receives them, the material and the device's
// own default states.

#include "engine/render/d3d7/DeviceValues.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"
#include "engine/render/d3d7/Texture2D_D3D7.h"

namespace Vantor {

namespace {

D3DBLEND DeviceBlend(BlendFactor factor) {
    switch (factor) {
        case BlendFactor::Zero:
            return D3DBLEND_ZERO;
        case BlendFactor::One:
            return D3DBLEND_ONE;
        case BlendFactor::DestColour:
            return D3DBLEND_DESTCOLOR;
        case BlendFactor::InvDestColour:
            return D3DBLEND_INVDESTCOLOR;
        case BlendFactor::SrcAlpha:
            return D3DBLEND_SRCALPHA;
        case BlendFactor::InvSrcAlpha:
            return D3DBLEND_INVSRCALPHA;
        case BlendFactor::DestAlpha:
            return D3DBLEND_DESTALPHA;
        case BlendFactor::InvDestAlpha:
            return D3DBLEND_INVDESTALPHA;
        case BlendFactor::SrcAlphaSat:
            return D3DBLEND_SRCALPHASAT;
        case BlendFactor::SrcColour:
            return D3DBLEND_SRCCOLOR;
        case BlendFactor::InvSrcColour:
            return D3DBLEND_INVSRCCOLOR;
    }
    return D3DBLEND_ZERO;
}

DWORD DeviceAddress(std::int32_t address) { return address != 0 ? D3DTADDRESS_WRAP : D3DTADDRESS_CLAMP; }

}  // namespace

void RenderSystem_D3D7::SetDeviceRenderState(D3DRENDERSTATETYPE state, DWORD value, const char* context) {
    CheckResult(context, device_->SetRenderState(state, value));
}

void RenderSystem_D3D7::SetDeviceTextureStageState(std::int32_t stage, D3DTEXTURESTAGESTATETYPE state, DWORD value,
                                                   const char* context) {
    CheckResult(context, device_->SetTextureStageState(static_cast<DWORD>(stage), state, value));
}

void RenderSystem_D3D7::SetDefaultStates() {
    if (!device_) return;
    RenderSystem::SetDefaultStates();
    constexpr const char* kContext = "RenderSystem_D3D7::SetDefaultStates";
    for (std::uint32_t i = 0; i < textureStageCount_; ++i) {
        auto stage = static_cast<std::int32_t>(i);
        SetDeviceTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2, kContext);
        SetDeviceTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0, kContext);
        SetDeviceTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE, kContext);
        SetDeviceTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE, kContext);
        SetDeviceTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE, kContext);
        SetDeviceTextureStageState(stage, D3DTSS_ALPHAOP, stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE, kContext);
    }
    SetDeviceRenderState(D3DRENDERSTATE_COLORVERTEX, 1, kContext);
    SetDeviceRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1, kContext);
    SetDeviceRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1, kContext);
    SetDeviceRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS, kContext);
    if (stencilPresent_) {
        // Each pixel is drawn at most once while the stencil test is on.
        SetDeviceRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL, kContext);
        SetDeviceRenderState(D3DRENDERSTATE_STENCILREF, 0, kContext);
        SetDeviceRenderState(D3DRENDERSTATE_STENCILMASK, 0xFFFFFFFF, kContext);
        SetDeviceRenderState(D3DRENDERSTATE_STENCILFAIL, D3DSTENCILOP_KEEP, kContext);
        SetDeviceRenderState(D3DRENDERSTATE_STENCILZFAIL, D3DSTENCILOP_KEEP, kContext);
        SetDeviceRenderState(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR, kContext);
    }
}

void RenderSystem_D3D7::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                    const Color& emissive, float power) {
    if (!device_) return;
    D3DMATERIAL7 material;
    material.diffuse = DeviceColourValue(diffuse);
    material.ambient = DeviceColourValue(ambient);
    material.specular = DeviceColourValue(specular);
    material.emissive = DeviceColourValue(emissive);
    material.power = power;
    CheckResult("RenderSystem_D3D7::SetMaterial", device_->SetMaterial(&material));
}

void RenderSystem_D3D7::UpdateProjectionMatrix() {
    if (!device_) return;
    D3DMATRIX matrix = DeviceMatrix(projection_);
    CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix", device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &matrix));
}

void RenderSystem_D3D7::UpdateViewMatrix() {
    if (!device_) return;
    // The device's depth axis points the other way.
    Matrix4 view = view_;
    for (int i : {2, 6, 10, 14}) view.m[i] = -view.m[i];
    D3DMATRIX matrix = DeviceMatrix(view);
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &matrix));
}

void RenderSystem_D3D7::UpdateWorldMatrix() {
    if (!device_) return;
    // Column-vector transform to the device's row vectors.
    Matrix4 world = world_;
    world.Transpose();
    D3DMATRIX matrix = DeviceMatrix(world);
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix", device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &matrix));
}

void RenderSystem_D3D7::UpdateAmbientColor() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_AMBIENT, PackDeviceColour(ambient_), "RenderSystem_D3D7::UpdateAmbientColor");
}

void RenderSystem_D3D7::UpdateAlphaBlend() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, alphaBlend_ ? 1 : 0, "RenderSystem_D3D7::UpdateAlphaBlend");
}

void RenderSystem_D3D7::UpdateBlend() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_SRCBLEND, DeviceBlend(sourceBlend_), "RenderSystem_D3D7::UpdateBlend");
    SetDeviceRenderState(D3DRENDERSTATE_DESTBLEND, DeviceBlend(destinationBlend_), "RenderSystem_D3D7::UpdateBlend");
}

void RenderSystem_D3D7::UpdateTexture(std::int32_t stage) {
    if (!device_) return;
    // Every texture of this render system is a Texture2D_D3D7; binding makes its surface.
    auto* texture = static_cast<Texture2D_D3D7*>(stageTextures_[stage]);
    IDirectDrawSurface7* surface = texture ? texture->GetSurface() : nullptr;
    CheckResult("RenderSystem_D3D7::UpdateTexture", device_->SetTexture(static_cast<DWORD>(stage), surface));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(std::int32_t stage) {
    if (!device_) return;
    SetDeviceTextureStageState(stage, D3DTSS_MAXANISOTROPY, static_cast<DWORD>(stageAnisotropy_[stage]),
                               "RenderSystem_D3D7::UpdateMaxTextureAnisotropy");
}

void RenderSystem_D3D7::UpdateTextureFilter(std::int32_t stage) {
    if (!device_) return;
    constexpr const char* kContext = "RenderSystem_D3D7::UpdateTextureFilter";
    switch (stageFilters_[stage]) {
        case TextureFilter::Point:
            SetDeviceTextureStageState(stage, D3DTSS_MAGFILTER, D3DTFG_POINT, kContext);
            SetDeviceTextureStageState(stage, D3DTSS_MINFILTER, D3DTFN_POINT, kContext);
            SetDeviceTextureStageState(stage, D3DTSS_MIPFILTER, D3DTFP_NONE, kContext);
            break;
        case TextureFilter::Linear:
            SetDeviceTextureStageState(stage, D3DTSS_MAGFILTER, D3DTFG_LINEAR, kContext);
            SetDeviceTextureStageState(stage, D3DTSS_MINFILTER, D3DTFN_LINEAR, kContext);
            SetDeviceTextureStageState(stage, D3DTSS_MIPFILTER, D3DTFP_NONE, kContext);
            break;
        case TextureFilter::MipMapped:
            if (configValues_->textureAnisotropy < 2) {
                SetDeviceTextureStageState(stage, D3DTSS_MAGFILTER, D3DTFG_LINEAR, kContext);
                SetDeviceTextureStageState(stage, D3DTSS_MINFILTER, D3DTFN_LINEAR, kContext);
            } else {
                SetDeviceTextureStageState(stage, D3DTSS_MAGFILTER, D3DTFG_ANISOTROPIC, kContext);
                SetDeviceTextureStageState(stage, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC, kContext);
            }
            SetDeviceTextureStageState(stage, D3DTSS_MIPFILTER, D3DTFP_LINEAR, kContext);
            break;
    }
}

void RenderSystem_D3D7::UpdateTextureAdressU(std::int32_t stage) {
    if (!device_) return;
    SetDeviceTextureStageState(stage, D3DTSS_ADDRESSU, DeviceAddress(stageAddressU_[stage]),
                               "RenderSystem_D3D7::UpdateTextureAdressU");
}

void RenderSystem_D3D7::UpdateTextureAdressV(std::int32_t stage) {
    if (!device_) return;
    SetDeviceTextureStageState(stage, D3DTSS_ADDRESSV, DeviceAddress(stageAddressV_[stage]),
                               "RenderSystem_D3D7::UpdateTextureAdressV");
}

void RenderSystem_D3D7::UpdateTextureMatrix(std::int32_t stage) {
    if (!device_) return;
    const TextureMatrix& values = stageTextureMatrices_[stage];
    D3DMATRIX matrix{};
    matrix._11 = values[0];
    matrix._22 = values[1];
    matrix._31 = values[2];
    matrix._32 = values[3];
    matrix._33 = 1.0f;
    matrix._44 = 1.0f;
    auto state = static_cast<D3DTRANSFORMSTATETYPE>(D3DTRANSFORMSTATE_TEXTURE0 + stage);
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix", device_->SetTransform(state, &matrix));
}

void RenderSystem_D3D7::UpdateCullMode() {
    if (!device_) return;
    D3DCULL cull = cullMode_ == CullMode::Clockwise          ? D3DCULL_CW
                   : cullMode_ == CullMode::CounterClockwise ? D3DCULL_CCW
                                                             : D3DCULL_NONE;
    SetDeviceRenderState(D3DRENDERSTATE_CULLMODE, cull, "RenderSystem_D3D7::UpdateCullMode");
}

void RenderSystem_D3D7::UpdateLighting() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_LIGHTING, lighting_ ? 1 : 0, "RenderSystem_D3D7::UpdateLighting");
}

void RenderSystem_D3D7::UpdateNormalizeNormals() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_NORMALIZENORMALS, normalizeNormals_ ? 1 : 0,
                         "RenderSystem_D3D7::UpdateNormalizeNormals");
}

void RenderSystem_D3D7::UpdateZ() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_ZENABLE, zTest_ ? 1 : 0, "RenderSystem_D3D7::UpdateZ");
}

void RenderSystem_D3D7::UpdateZWrite() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_ZWRITEENABLE, zWrite_ ? 1 : 0, "RenderSystem_D3D7::UpdateZWrite");
}

void RenderSystem_D3D7::UpdateStencil() {
    if (!device_) return;
    SetDeviceRenderState(D3DRENDERSTATE_STENCILENABLE, stencilTest_ ? 1 : 0, "RenderSystem_D3D7::UpdateStencil");
}

}  // namespace Vantor
